#include "document/user_seam.h"

// Defined here so the interface's virtual table has one home.
CUserSeam::~CUserSeam() = default;
