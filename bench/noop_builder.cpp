// Stands in for VKB.exe when only the front end matters: it tells the bench driver that it
// ran (one count on a semaphore the driver owns) and exits at once. A GUI program, so no
// console is made for each of the 1,000 starts.
#include <windows.h>

namespace {

struct Handle {
    HANDLE h;
    ~Handle() {
        if (h)
            CloseHandle(h);
    }
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    Handle counter{OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, "VeskBenchBuilderStarts")};
    if (!counter.h)
        return 1;
    return ReleaseSemaphore(counter.h, 1, nullptr) ? 0 : 2;
}
