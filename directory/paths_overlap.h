#pragma once

#include <string>

// Whether two directories are the same or one lies inside the other, once
// both are resolved to canonical absolute paths (links and ".." followed):
// /tmp/a and /tmp/a/b overlap, /tmp/a and /tmp/ab do not. The folders are
// compared by device and inode as well, along ".." from each up to the root,
// so a folder bind-mounted elsewhere is known as itself.
bool DirectoriesOverlap(const std::string& first, const std::string& second);
