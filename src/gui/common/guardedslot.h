#pragma once

// Every event handler of the windows is connected through Guarded(): an error that
// leaves a handler is shown in a modal error box and the program goes on with the next
// event. Debian's Qt libraries are built without exception support, so an exception
// must never unwind through Qt's frames: it is caught inside the slot itself.

#include <exception>
#include <stdexcept>
#include <utility>

class QString;

namespace vantrel {

// A modal error box with the critical icon and a single OK button.
void ShowErrorBox(const QString& caption, const QString& text, const QString& objectName);

// The modal box of an action that could not get memory for its rows:
// "Not enough memory to <verb> <players> players."
void ShowOutOfMemory(const QString& verb, long long players);

// The modal box for an error that left an event handler.
void ShowHandlerError(const QString& message);
void ShowHandlerError(const std::exception& error);

template <class Handler>
auto Guarded(Handler handler) {
    return [handler = std::move(handler)](auto&&... args) {
        try {
            handler(std::forward<decltype(args)>(args)...);
        } catch (const std::exception& error) {
            ShowHandlerError(error);
        } catch (...) {
            ShowHandlerError(std::runtime_error("Unknown error"));
        }
    };
}

}  // namespace vantrel
