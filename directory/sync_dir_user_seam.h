#pragma once

#include "directory/dir_user_seam.h"

#include <functional>

// A directory seam without a display: the classification runs on a worker
// thread while the calling thread waits, passing the progress on to an
// observer now and then (the report mode draws its progress line from it).
class CSyncDirUserSeam : public CDirUserSeam
{
public:
    explicit CSyncDirUserSeam(std::function<void(int permille)> observer = {});

    void SetBusy(bool busy) override;
    void RunClassification(CDirClassifier& classifier) override;

private:
    std::function<void(int)> observer_;
};
