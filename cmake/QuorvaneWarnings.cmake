# Our own code builds without a single warning; third-party code is not
# compiled with these flags. Warnings turn into errors only where we ask for
# it (our scripts and CI): a release built with a newer compiler, which may
# warn about new things, must still build.
option(QUORVANE_WERROR "Treat compiler warnings in Quorvane's own code as errors" OFF)

add_library(quorvane_warnings INTERFACE)
target_compile_options(quorvane_warnings INTERFACE -Wall -Wextra
  $<$<BOOL:${QUORVANE_WERROR}>:-Werror>)
add_library(quorvane::warnings ALIAS quorvane_warnings)
