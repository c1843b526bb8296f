#include "directory/dir_user_seam.h"

CDirUserSeam::~CDirUserSeam() = default;
