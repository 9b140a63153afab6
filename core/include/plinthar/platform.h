#pragma once

#include <string>

namespace plinthar {

// The one thing the converter core asks of the window system: a modal warning
// box with an exclamation icon and a single OK button. The owner of the state
// supplies it (the window in the program, a recorder in tests).
class Platform {
 public:
  Platform() = default;
  Platform(const Platform&) = delete;
  Platform& operator=(const Platform&) = delete;
  Platform(Platform&&) = delete;
  Platform& operator=(Platform&&) = delete;
  virtual ~Platform() = default;

  // Returns only once the user has closed the box.
  virtual void ShowWarning(const std::string& message, const std::string& title) = 0;
};

}  // namespace plinthar
