// The scripted backend's state, shared by its files.
#ifndef QO_PLATFORM_SCRIPTED_STATE_H
#define QO_PLATFORM_SCRIPTED_STATE_H

#include <stdint.h>

#include <string>
#include <vector>

#include "platform/scripted.h"

namespace scripted {

struct ScriptedMessage {
    bool by_frame;
    uint64_t at;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    ScriptedCall call;  // run instead of delivering a message when set
};

struct State {
    bool failing[platform::kStepCount] = {};
    std::vector<std::string> journal;
    std::vector<MessageBox> boxes;
    std::vector<int> answers;
    std::vector<ScriptedMessage> scripted_messages;
    PresentHook present_hook = nullptr;
    unsigned presented = 0;
    // An hour of uptime, so the first frame's wait against a zero start ends at once.
    uint64_t now = 3600000;
    uint32_t tick_offset = 0;
    uint32_t mm_offset = 0;
    uint32_t tick_step = 0;
    uint32_t mm_step = 1;
};

extern State state;

}  // namespace scripted

#endif
