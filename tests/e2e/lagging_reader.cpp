// Loaded into the program (LD_PRELOAD) by the Wayland test: Qt's Wayland reading threads wake 30 ms
// late from every wait, as they may on a busy machine. That makes a slow wake-up at the moment the
// program ends, which otherwise happens now and then, happen every time.
#include <dlfcn.h>
#include <pthread.h>
#include <unistd.h>

#include <cstring>

extern "C" int pthread_cond_wait(pthread_cond_t* condition, pthread_mutex_t* mutex) {
    using Wait = int (*)(pthread_cond_t*, pthread_mutex_t*);
    // The current version, asked for by name: on x86-64 glibc keeps an older pthread_cond_wait
    // beside it. Where there is no such version, the only one.
    static const auto wait = [] {
        void* found = dlvsym(RTLD_NEXT, "pthread_cond_wait", "GLIBC_2.3.2");
        return reinterpret_cast<Wait>(found ? found : dlsym(RTLD_NEXT, "pthread_cond_wait"));
    }();
    const int result = wait(condition, mutex);
    char name[16] = {};
    pthread_getname_np(pthread_self(), name, sizeof name);
    if (std::strcmp(name, "WaylandEventThr") == 0) usleep(30000);
    return result;
}
