# Our own code builds without a single warning; third-party code is not
# compiled with these flags.
add_library(quorvane_warnings INTERFACE)
if(MSVC)
  # Visual Studio's build is not one the tests run, so its warnings are
  # shown but do not stop it.
  target_compile_options(quorvane_warnings INTERFACE /W4)
else()
  target_compile_options(quorvane_warnings INTERFACE -Wall -Wextra -Werror)
endif()
