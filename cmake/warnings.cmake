# Compiler warnings shared by every target of the project.
function(morvane_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${MORVANE_STRICT}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow
                           $<$<BOOL:${MORVANE_STRICT}>:-Werror>)
  endif()
endfunction()

if(MORVANE_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(MORVANE_FUZZ)
  # Coverage for libFuzzer in everything the fuzz target links.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
