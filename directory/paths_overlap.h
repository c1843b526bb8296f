#pragma once

#include <string>

// Whether two directories are the same or one lies inside the other, once
// both are resolved to canonical absolute paths (links and ".." followed):
// /tmp/a and /tmp/a/b overlap, /tmp/a and /tmp/ab do not.
bool DirectoriesOverlap(const std::string& first, const std::string& second);
