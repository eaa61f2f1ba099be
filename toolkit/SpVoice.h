#pragma once
// TSpVoice: the component that stands for the platform speech voice on a form.
// It holds at most one voice object at a time. Every operation that needs the
// voice connects first when not connected; Disconnect releases the voice, which
// stops whatever it is speaking.
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "platform/Speech.h"

namespace toolkit {

// How Connect finds its voice object.
enum TConnectKind {
  ckRunningOrNew,       // a running voice when there is one, else a new voice
  ckNewInstance,        // always a new voice
  ckRunningInstance,    // a running voice only
  ckRemote,             // a voice on another machine (not offered here)
  ckAttachToInterface,  // only the voice handed to ConnectTo
};

class TSpVoice : public QObject {
  Q_OBJECT

 public:
  explicit TSpVoice(QObject* owner = nullptr);
  ~TSpVoice() override;

  TConnectKind ConnectKind() const { return connectKind_; }
  void SetConnectKind(TConnectKind kind) { connectKind_ = kind; }
  bool AutoConnect() const { return autoConnect_; }
  void SetAutoConnect(bool value) { autoConnect_ = value; }
  // Called by the owner once its properties are set: connects when AutoConnect is on.
  void Loaded();

  // Connects when not connected; raises EOSError when no voice can be had.
  void Connect();
  // Connects to the given voice (any connect kind); a current voice is released first.
  void ConnectTo(std::shared_ptr<platform::SpeechVoice> voice);
  // Releases the voice when connected; speech in progress stops with it.
  void Disconnect();
  bool Connected() const { return voice_ != nullptr; }

  int Rate();
  void SetRate(int rate);
  // Hands the text to the voice; see platform::SpeakFlags. Returns the stream number.
  int Speak(const QString& text, int flags);
  void Pause();
  void Resume();

  // The voice object, connecting first when not connected.
  std::shared_ptr<platform::SpeechVoice> DefaultInterface();

  // Raised on this object's thread when the voice starts and ends a text.
  std::function<void(QObject* sender, int stream)> OnStartStream;
  std::function<void(QObject* sender, int stream)> OnEndStream;

 private:
  void Deliver(const platform::SpeechEvent& event);

  TConnectKind connectKind_ = ckRunningOrNew;
  bool autoConnect_ = false;
  std::shared_ptr<platform::SpeechVoice> voice_;
  int cookie_ = 0;
};

}  // namespace toolkit
