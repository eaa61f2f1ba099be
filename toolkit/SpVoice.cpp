#include "toolkit/SpVoice.h"

#include <QPointer>

#include "toolkit/Exception.h"

namespace toolkit {

namespace {

// Runs a voice operation, raising its refusal as an operating-system error.
template <typename F>
auto Call(F&& f) {
  try {
    return f();
  } catch (const platform::SpeechError& e) {
    throw EOSError(e.Message());
  }
}

}  // namespace

TSpVoice::TSpVoice(QObject* owner) : QObject(owner) {}

TSpVoice::~TSpVoice() { Disconnect(); }

void TSpVoice::Loaded() {
  if (autoConnect_) Connect();
}

void TSpVoice::Connect() {
  if (voice_) return;
  std::shared_ptr<platform::SpeechVoice> voice;
  switch (connectKind_) {
    case ckRunningOrNew:
      voice = platform::SpeechVoice::Running();
      if (!voice) voice = Call([] { return platform::SpeechVoice::Create(); });
      break;
    case ckNewInstance:
      voice = Call([] { return platform::SpeechVoice::Create(); });
      break;
    case ckRunningInstance:
      voice = platform::SpeechVoice::Running();
      if (!voice) throw EOSError(QStringLiteral("Operation unavailable: no speech voice is running"));
      break;
    case ckRemote:
      throw EOSError(QStringLiteral("Speech voices on other machines are not supported"));
    case ckAttachToInterface:
      throw EOSError(QStringLiteral("No speech voice is attached"));
  }
  ConnectTo(std::move(voice));
}

void TSpVoice::ConnectTo(std::shared_ptr<platform::SpeechVoice> voice) {
  Disconnect();
  if (!voice) throw EOSError(QStringLiteral("Interface not supported"));
  // The voice calls its subscribers on its own thread: hand the events over to
  // this object's thread. Disconnect unsubscribes before this object goes away;
  // a call still queued then is dropped with the object.
  QPointer<TSpVoice> self(this);
  cookie_ = voice->Subscribe([this, self](const platform::SpeechEvent& event) {
    QMetaObject::invokeMethod(this, [self, event] {
      if (self) self->Deliver(event);
    }, Qt::QueuedConnection);
  });
  voice_ = std::move(voice);
}

void TSpVoice::Disconnect() {
  if (!voice_) return;
  voice_->Unsubscribe(cookie_);
  cookie_ = 0;
  voice_.reset();  // the last reference stops the voice and joins its thread
}

void TSpVoice::Deliver(const platform::SpeechEvent& event) {
  const auto& handler = event.kind == platform::SpeechEvent::StartStream ? OnStartStream : OnEndStream;
  if (handler) handler(this, event.stream);
}

std::shared_ptr<platform::SpeechVoice> TSpVoice::DefaultInterface() {
  Connect();
  return voice_;
}

int TSpVoice::Rate() { return DefaultInterface()->Rate(); }

void TSpVoice::SetRate(int rate) {
  auto voice = DefaultInterface();
  Call([&] { voice->SetRate(rate); });
}

int TSpVoice::Speak(const QString& text, int flags) {
  auto voice = DefaultInterface();
  return Call([&] { return voice->Speak(text, flags); });
}

void TSpVoice::Pause() { DefaultInterface()->Pause(); }

void TSpVoice::Resume() { DefaultInterface()->Resume(); }

}  // namespace toolkit
