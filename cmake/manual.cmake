# The user manual: docs/manual/KAVO_manual.md with the screenshots in docs/ becomes
# KAVO_manual.pdf in the build tree, through an HTML page that pandoc writes and weasyprint sets
# in pages. ヘルプ opens that file from the data directory; the release zip carries it.

option(KAVO_MANUAL "Build the user manual KAVO_manual.pdf (needs pandoc and weasyprint)" ON)
set(KAVO_MANUAL_PDF ${CMAKE_BINARY_DIR}/KAVO_manual.pdf)

if(KAVO_MANUAL)
    find_program(KAVO_PANDOC pandoc)
    find_program(KAVO_WEASYPRINT weasyprint)
    if(NOT KAVO_PANDOC OR NOT KAVO_WEASYPRINT)
        message(FATAL_ERROR "The manual needs pandoc and weasyprint (scripts/setup installs "
                            "them); configure with -DKAVO_MANUAL=OFF to build without it.")
    endif()
    set(manual_dir ${CMAKE_SOURCE_DIR}/docs/manual)
    set(manual_html ${CMAKE_BINARY_DIR}/KAVO_manual.html)
    file(GLOB manual_images CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/*.png)
    # One self-contained page (styles and pictures inside), so weasyprint needs no paths. A line
    # break between Japanese characters in the source is no blank in the text.
    add_custom_command(
        OUTPUT ${KAVO_MANUAL_PDF}
        COMMAND ${KAVO_PANDOC} KAVO_manual.md --from markdown+east_asian_line_breaks --to html5
                --standalone --self-contained --toc --toc-depth=2 --css kavo_manual.css
                --lua-filter present_images.lua
                --metadata "subtitle=バージョン ${PROJECT_VERSION}" --output ${manual_html}
        COMMAND ${KAVO_WEASYPRINT} --quiet ${manual_html} ${KAVO_MANUAL_PDF}
        DEPENDS ${manual_dir}/KAVO_manual.md ${manual_dir}/kavo_manual.css
                ${manual_dir}/present_images.lua ${manual_images}
        WORKING_DIRECTORY ${manual_dir}
        COMMENT "Building KAVO_manual.pdf"
        VERBATIM)
    add_custom_target(manual ALL DEPENDS ${KAVO_MANUAL_PDF})
endif()
