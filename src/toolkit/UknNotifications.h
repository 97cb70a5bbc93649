#pragma once

// Desktop notifications: the freedesktop notification service over the session bus. Sent
// without waiting for an answer; without a session bus, or with no service on it, nothing
// shows and nothing fails.

#include <string_view>

namespace qb {

class TknNotifications {
  public:
    // A notification from "quillbox" with the summary in bold and the body below it.
    static void Notify(std::u16string_view summary, std::u16string_view body);
};

}  // namespace qb
