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
