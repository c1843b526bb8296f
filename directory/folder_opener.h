#pragma once

// How a scan opens a folder for listing: the one place where the scan meets
// the file system's permissions. Tests put a folder that cannot be opened in
// a tree through their own opener, since a test running as the superuser can
// open any folder.
class CFolderOpener
{
public:
    virtual ~CFolderOpener();

    // Opens the folder name inside the open folder parent (AT_FDCWD and a
    // path for a scan's root) for reading its entries. The descriptor, or -1
    // with errno set when it cannot be opened or is no folder.
    virtual int Open(int parent, const char* name) const;

    // The opener of the real file system.
    static const CFolderOpener& System();
};
