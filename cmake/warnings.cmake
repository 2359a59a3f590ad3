# One warning set for every target of the project.
function(kavo_warnings target)
    if(MSVC)
        target_compile_options(${target} PRIVATE /W4 /utf-8)
    else()
        target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Wimplicit-fallthrough
                                                 -Wformat=2)
        if(KAVO_WERROR)
            target_compile_options(${target} PRIVATE -Werror)
        endif()
    endif()
endfunction()

# The product's own code also keeps every narrowing or sign change explicit; the tests, which
# build their inputs from literals, are spared.
function(kavo_conversion_warnings target)
    if(NOT MSVC)
        target_compile_options(${target} PRIVATE -Wconversion -Wsign-conversion)
    endif()
endfunction()
