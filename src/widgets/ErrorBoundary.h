#pragma once

#include <QObject>

#include <exception>
#include <type_traits>
#include <utility>

namespace zv {

// The one place where an error that escapes a window's handler is shown: an
// EConvertError with its German message, anything else with a German note,
// always as a message box, so a bad value neither crashes the program nor
// goes unseen.
void ReportHandlerError(const std::exception& error);
void ReportUnknownHandlerError();

// Runs a handler inside the boundary.
template <class Handler> void Guarded(Handler&& handler) {
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        ReportHandlerError(error);
    } catch (...) {
        ReportUnknownHandlerError();
    }
}

// QObject::connect with the handler inside the boundary. The handler takes
// the signal's arguments or none at all.
template <class Sender, class Signal, class Handler>
QMetaObject::Connection ConnectGuarded(Sender* sender, Signal signal, QObject* context,
                                       Handler handler) {
    return QObject::connect(sender, signal, context, [handler](auto&&... args) {
        Guarded([&] {
            if constexpr (std::is_invocable_v<const Handler&, decltype(args)...>) {
                handler(std::forward<decltype(args)>(args)...);
            } else {
                handler();
            }
        });
    });
}

} // namespace zv
