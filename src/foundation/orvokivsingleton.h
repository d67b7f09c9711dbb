#ifndef ORVOKIVSINGLETON_H
#define ORVOKIVSINGLETON_H

namespace OrvoKiv {

// Gives T one process-wide instance, built on the first getInstance() (thread-safe) and
// destroyed at exit. T derives from Singleton<T>, keeps its constructor protected and befriends
// Singleton<T>.
template <typename T>
struct Singleton
{
    Singleton() = default;
    Singleton(const Singleton &) = default;
    Singleton &operator=(const Singleton &) = default;
    virtual ~Singleton() = default;

    static T *getInstance();
};

// Defined out of line so that the instantiations this library exports are used by every module
// of the process instead of a private copy per module.
template <typename T>
T *Singleton<T>::getInstance()
{
    static T instance;
    return &instance;
}

} // namespace OrvoKiv

#endif // ORVOKIVSINGLETON_H
