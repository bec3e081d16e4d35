#pragma once
#include "widgets/TCustomImage32.h"

// The image view as the windows place it.
class TImage32 : public TCustomImage32 {
    Q_OBJECT
public:
    using TCustomImage32::TCustomImage32;
};
