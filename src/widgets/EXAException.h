#pragma once
#include "app/Errors.h"

// A failure of the music player component (its notification pipe or its player object).
class EXAException : public EKetabError {
public:
    using EKetabError::EKetabError;
};
