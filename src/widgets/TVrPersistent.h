#pragma once
#include <functional>

// A settings object that tells its owner about changes. BeginUpdate/EndUpdate group
// several changes into one notification.
class TVrPersistent {
public:
    virtual ~TVrPersistent() = default;
    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    void Changed();
    int UpdateCount() const { return FUpdateCount; }

    std::function<void(TVrPersistent *Sender)> OnChange;

private:
    int FUpdateCount = 0;
};
