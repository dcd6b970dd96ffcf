#pragma once
// The one road to a process-wide service or panel: a holder per owner.
// Constructing the first holder of T creates T (the pointer is stored only
// after T's constructor returned); destroying the last one destroys T.
// Holders live on the user-interface thread; other threads may only read
// getInstance() while the service exists.
#include "core/base/Exception.h"

namespace System {

template <class T>
class Singleton {
public:
    Singleton() {
        if (!instance_) {
            T* created = new T();
            instance_ = created;
        }
        ++count_;
    }
    ~Singleton() {
        if (--count_ == 0 && instance_) {
            delete instance_;
            instance_ = nullptr;
        }
    }
    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

    static T* getInstance() { return instance_; }
    static int referenceCount() { return count_; }

    // For panels that moved between the main window and a floating window:
    // a new instance replaces the current one; the count is unchanged.
    // T names its own place text (`static const char* singletonPlace()`),
    // since the text is the template's qualified name for that T.
    static void recreateInstance()
        requires requires { T::singletonPlace(); }
    {
        if (!instance_)
            throw makeException(T::singletonPlace(), "singleton instance not created.");
        delete instance_;
        instance_ = nullptr;
        T* created = new T();
        instance_ = created;
        instance_->setVisible(true);
    }

private:
    static inline T* instance_ = nullptr;
    static inline int count_ = 0;
};

}  // namespace System
