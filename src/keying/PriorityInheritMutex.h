#pragma once

#include <pthread.h>

// A mutex that lends its waiter's priority to the thread holding it. The real-time keying
// thread takes the send buffer's lock at every character; with a plain mutex a GUI thread
// preempted while holding it would make the keying thread wait for a whole time slice.
class PriorityInheritMutex {
public:
    PriorityInheritMutex()
    {
        pthread_mutexattr_t attr;
        pthread_mutexattr_init(&attr);
        pthread_mutexattr_setprotocol(&attr, PTHREAD_PRIO_INHERIT);
        pthread_mutex_init(&m_mutex, &attr);
        pthread_mutexattr_destroy(&attr);
    }
    ~PriorityInheritMutex() { pthread_mutex_destroy(&m_mutex); }
    PriorityInheritMutex(const PriorityInheritMutex&) = delete;
    PriorityInheritMutex& operator=(const PriorityInheritMutex&) = delete;

    void lock() { pthread_mutex_lock(&m_mutex); }
    void unlock() { pthread_mutex_unlock(&m_mutex); }
    bool try_lock() { return pthread_mutex_trylock(&m_mutex) == 0; }

private:
    pthread_mutex_t m_mutex;
};
