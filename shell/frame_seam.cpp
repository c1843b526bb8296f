#include "shell/frame_seam.h"

CFrameSeam::~CFrameSeam() = default;
