#pragma once
// Every event handler runs through Dispatch: an error ends the handler at the
// failing step and is shown in the default error box; nothing else catches it.
#include <exception>
#include <functional>
#include <utility>

#include "toolkit/Exception.h"

namespace toolkit {

// Shows an error in the default error box (stop icon, OK, captioned with the
// application title), with "." appended unless the text already ends in "."
// or in a character that sorts before ".".
void ShowException(const QString& message);
// The text the error box shows for a message.
QString ErrorBoxText(const QString& message);

template <typename F, typename... Args>
void Dispatch(F&& handler, Args&&... args) {
  try {
    std::invoke(std::forward<F>(handler), std::forward<Args>(args)...);
  } catch (const Exception& e) {
    ShowException(e.Message());
  } catch (const std::exception& e) {
    ShowException(QString::fromUtf8(e.what()));
  }
}

// Raises an event held in a std::function member, when one is assigned.
template <typename... Params, typename... Args>
void Raise(const std::function<void(Params...)>& event, Args&&... args) {
  if (event) Dispatch(event, std::forward<Args>(args)...);
}

}  // namespace toolkit
