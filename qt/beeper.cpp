#include "qt/beeper.h"

#include <QApplication>
#include <QMetaObject>

#include <cstdint>

#ifdef POMVEXA_HAVE_CANBERRA
#include <canberra.h>
#include <dlfcn.h>
#endif

namespace pomvexa {
namespace {

#ifdef POMVEXA_HAVE_CANBERRA
// libcanberra, bound when the sound thread first needs it. Every call happens on that thread.
class SoundTheme {
public:
    explicit SoundTheme(const std::string& library) {
        handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr)
            return;
        create = reinterpret_cast<Create>(dlsym(handle, "ca_context_create"));
        destroy = reinterpret_cast<Destroy>(dlsym(handle, "ca_context_destroy"));
        play = reinterpret_cast<Request>(dlsym(handle, "ca_context_play"));
        cache = reinterpret_cast<Request>(dlsym(handle, "ca_context_cache"));
        if (create == nullptr || destroy == nullptr || play == nullptr || cache == nullptr ||
            create(&context) != CA_SUCCESS) {
            context = nullptr;
            return;
        }
        // Uploads the sound to the sound server once, so that each hit only asks to play it.
        for (const char* event : events)
            cache(context, CA_PROP_EVENT_ID, event, nullptr);
    }
    SoundTheme(const SoundTheme&) = delete;
    SoundTheme& operator=(const SoundTheme&) = delete;
    ~SoundTheme() {
        if (context != nullptr)
            destroy(context);
        if (handle != nullptr)
            dlclose(handle);
    }

    // Plays the bell; false where the theme has no such sound or nothing can be played.
    bool ring() {
        if (context == nullptr)
            return false;
        for (const char* event : events)
            if (play(context, 0, CA_PROP_EVENT_ID, event, CA_PROP_EVENT_DESCRIPTION, "Hit",
                     nullptr) == CA_SUCCESS)
                return true;
        return false;
    }

private:
    using Create = int (*)(ca_context**);
    using Destroy = int (*)(ca_context*);
    using Request = int (*)(ca_context*, ...);

    static constexpr const char* events[] = {"bell-window-system", "bell"};

    void* handle = nullptr;
    Create create = nullptr;
    Destroy destroy = nullptr;
    Request play = nullptr;
    Request cache = nullptr;
    ca_context* context = nullptr;
};
#else
class SoundTheme {
public:
    explicit SoundTheme(const std::string&) {}
    bool ring() { return false; }
};
#endif

} // namespace

Beeper::Beeper(std::string library, std::function<void()> fallback)
    : library(std::move(library))
    , fallback(std::move(fallback)) {
}

Beeper::Beeper()
    : Beeper("libcanberra.so.0", [] { QApplication::beep(); }) {
}

Beeper::~Beeper() {
    {
        const std::lock_guard guard(lock);
        stopping = true;
    }
    wake.notify_one();
    if (worker.joinable())
        worker.join();
}

void Beeper::prepare() {
    request(0);
}

void Beeper::beep() {
    request(1);
}

void Beeper::request(int beeps) {
    {
        const std::lock_guard guard(lock);
        pending += beeps;
        if (!worker.joinable())
            worker = std::thread([this] { run(); });
    }
    wake.notify_one();
}

void Beeper::run() {
    SoundTheme theme(library);
    bool themeWorks = true;
    std::unique_lock guard(lock);
    while (true) {
        wake.wait(guard, [this] { return stopping || pending > 0; });
        if (stopping)
            return;
        const int beeps = pending;
        pending = 0;
        guard.unlock();
        for (int beep = 0; beep < beeps; ++beep) {
            // Once the sound system has refused, it is not asked again on every click.
            themeWorks = themeWorks && theme.ring();
            if (!themeWorks && QCoreApplication::instance() != nullptr)
                QMetaObject::invokeMethod(QCoreApplication::instance(), fallback,
                                          Qt::QueuedConnection);
        }
        guard.lock();
    }
}

} // namespace pomvexa
