// Stands in for the board-control library, with or without the board function. Its answers come
// from the environment at each call: FAKE_TEV_RESULT (the return code), FAKE_TEV_SECOND.
#include <cstdlib>

#define FAKE_TEV_EXPORT extern "C" __attribute__((visibility("default")))

#ifndef FAKE_TEV_WITHOUT_BOARD_INFO
FAKE_TEV_EXPORT int TEVAPI_GetBoardInfo(int *first, int *second, int)
{
    const auto answer = [](const char *name) { return std::getenv(name) ? std::atoi(std::getenv(name)) : 0; };
    *first = 1;
    *second = answer("FAKE_TEV_SECOND");
    return answer("FAKE_TEV_RESULT");
}
#else
FAKE_TEV_EXPORT int TEVAPI_GetVersion()
{
    return 0;
}
#endif
