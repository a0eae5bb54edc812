#pragma once

// An internal inconsistency: the message is shown to the user in an error box by the
// handler that wraps every event handler of the windows, and the program goes on.

#include <stdexcept>
#include <string>

namespace vantrel {

class ProgramError : public std::runtime_error {
  public:
    explicit ProgramError(const std::string& message) : std::runtime_error(message) {}
};

inline constexpr const char* kSomethingsWrong = "Somethings wrong...";
inline constexpr const char* kNoInformation = "keine Informationen verfügbar (Programmfehler)";

}  // namespace vantrel
