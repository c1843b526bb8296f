#include "directory/folder_opener.h"

#include <fcntl.h>

CFolderOpener::~CFolderOpener() = default;

// O_DIRECTORY refuses anything else before it is opened, so a FIFO put in a
// folder's place since the listing is never waited on.
int CFolderOpener::Open(int parent, const char* name) const
{
    return ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY);
}

const CFolderOpener& CFolderOpener::System()
{
    static const CFolderOpener opener;
    return opener;
}
