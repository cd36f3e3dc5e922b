# One place for the flags every Glyphbox target is built with.
add_library(glyphbox_options INTERFACE)
add_library(glyphbox::options ALIAS glyphbox_options)

target_compile_options(glyphbox_options INTERFACE
  -Wall -Wextra -Wpedantic
  # The correlation's arithmetic is defined step by step in double precision;
  # a fused multiply-add would round differently and move dates by a day.
  -ffp-contract=off)

if(GLYPHBOX_SANITIZE)
  target_compile_options(glyphbox_options INTERFACE
    -fsanitize=${GLYPHBOX_SANITIZE} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(glyphbox_options INTERFACE -fsanitize=${GLYPHBOX_SANITIZE})
endif()

if(GLYPHBOX_BUILD_FUZZ)
  # Coverage feedback for the fuzzers from every library, not only the targets.
  target_compile_options(glyphbox_options INTERFACE -fsanitize=fuzzer-no-link)
endif()
