# Warnings are errors in our own code; Qt's and GoogleTest's headers come in as
# system headers through their imported targets, so they are not held to this.
function(varnel_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
endfunction()
