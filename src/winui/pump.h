// The application's message processing between steps of long work.
#pragma once

namespace winui {

// Dispatches every pending message. A quit request is left in the queue for the main loop.
void processMessages();

}  // namespace winui
