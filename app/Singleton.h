#pragma once

// One process-wide instance per class. Instance() creates it on first use; creation is not
// locked, so the first call must come from one thread (start-up does this in a fixed order).
template <typename T>
class Singleton
{
public:
    static T* Instance()
    {
        if (!s_instance)
            s_instance = new T();
        return s_instance;
    }

    static bool Exists() { return s_instance != nullptr; }

    static void Destroy()
    {
        T* instance = s_instance;
        s_instance = nullptr;
        delete instance;
    }

protected:
    Singleton() = default;
    virtual ~Singleton() = default;

private:
    static inline T* s_instance = nullptr;
};
