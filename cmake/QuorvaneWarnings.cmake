# Our own code builds without a single warning; third-party code is not
# compiled with these flags.
add_library(quorvane_warnings INTERFACE)
target_compile_options(quorvane_warnings INTERFACE -Wall -Wextra -Werror)
