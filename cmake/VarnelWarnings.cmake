# The project's own code is held to these warnings; Qt's and GoogleTest's
# headers come in as system headers through their imported targets, so they
# are not. The warnings become errors only in the project's own test build
# (scripts/test turns VARNEL_WERROR on): a newer compiler's new warning must
# not break a user's or a packager's build.
option(VARNEL_WERROR "Treat compiler warnings as errors" OFF)

function(varnel_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(VARNEL_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
