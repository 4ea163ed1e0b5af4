// The wave format holder, the error texts and the block link between producers
// and consumers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "deAudio/Source/ACMErrors.h"
#include "deAudio/Source/AudioIO.h"
#include "deAudio/Source/AudioLink.h"
#include "deAudio/Source/WaveFormat.h"
#include "framework/ComponentStreams.h"
#include "framework/MemoryStreams.h"
#include "framework/ObjectText.h"
#include "framework/OwnedObject.h"
#include "tests/deaudio/AudioTestSupport.h"

using audio_test::TTestSubject;

TEST(WaveFormat, DefaultsAndExtraSize) {
  TdeWaveFormat F;
  F.SetSamplesPerSec(48000);
  F.SetExtraSize(12);
  F.SetDefaults();
  const struct {
    const char* Field;
    unsigned Value, Expected;
  } Fields[] = {{"tag", F.GetFormatTag(), 1},      {"channels", F.GetChannels(), 2},
                {"rate", F.GetSamplesPerSec(), 11025}, {"bytes per second", F.GetAvgBytesPerSec(), 22050},
                {"block align", F.GetBlockAlign(), 2}, {"bits", F.GetBitsPerSample(), 8},
                {"extra size", F.GetExtraSize(), 0}};
  for (const auto& C : Fields) EXPECT_EQ(C.Expected, C.Value) << C.Field;
  EXPECT_TRUE(F.Equals(TdeWaveFormat()));

  F.SetExtraSize(494);
  EXPECT_EQ(494, F.GetExtraSize());
  try {
    F.SetExtraSize(495);
    FAIL() << "495 bytes of extra data fit";
  } catch (const EACMError& E) {
    EXPECT_EQ("The wave format buffer is too small.", E.GetMessage());
  }
  EXPECT_EQ(494, F.GetExtraSize());
}

TEST(WaveFormat, EqualityAndCopiesCoverTheWholeBuffer) {
  WAVEFORMATEX Adpcm{WAVE_FORMAT_IMA_ADPCM, 2, 44100, 44359, 2048, 4, 2};
  std::vector<std::uint8_t> Record(20);
  std::memcpy(Record.data(), &Adpcm, 18);
  Record[18] = 0xF9;  // samples per block, 2041
  Record[19] = 0x07;
  TdeWaveFormat A, B;
  A.SetWaveFormatEx(*reinterpret_cast<WAVEFORMATEX*>(Record.data()));
  B.SetWaveFormatEx(Adpcm);
  EXPECT_FALSE(A.Equals(B)) << "the extra data differs";
  B.Assign(&A);
  EXPECT_TRUE(B.Equals(A));
  EXPECT_EQ(0, std::memcmp(A.GetBuffer(), B.GetBuffer(), TdeWaveFormat::BufferSize));
  EXPECT_EQ(0xF9, B.GetBuffer()[18]);
}

TEST(WaveFormat, FormDataHoldsTheWhole512ByteBuffer) {
  TOwned<TdeAudioIn> In(TdeAudioIn::Create(nullptr));
  In->SetName("deAudioIn");
  In->SetAutoOpen(false);
  In->GetFormat()->SetSamplesPerSec(44100);
  In->GetFormat()->SetBitsPerSample(16);
  In->GetFormat()->SetExtraSize(2);
  const_cast<std::uint8_t*>(In->GetFormat()->GetBuffer())[511] = 0x5A;  // the last byte travels too

  TOwned<TMemoryStream> Data(TMemoryStream::Create());
  WriteComponent(Data.get(), In.get());
  Data->SetPosition(0);
  TOwned<TMemoryStream> Text(TMemoryStream::Create());
  ObjectBinaryToText(Data.get(), Text.get());
  const std::string T(static_cast<const char*>(Text->GetMemory()), static_cast<size_t>(Text->GetSize()));
  const size_t At = T.find("Format.FormatBuffer = {");
  ASSERT_NE(std::string::npos, At) << T;
  std::string Hex;
  for (size_t I = T.find('{', At) + 1; T[I] != '}'; ++I)
    if (std::isxdigit(static_cast<unsigned char>(T[I]))) Hex += T[I];
  EXPECT_EQ(2u * 512, Hex.size());
  EXPECT_EQ("5A", Hex.substr(Hex.size() - 2));

  TOwned<TdeAudioIn> Back(TdeAudioIn::Create(nullptr));
  Back->SetAutoOpen(false);
  Data->SetPosition(0);
  ReadComponent(Data.get(), Back.get());
  EXPECT_TRUE(Back->GetFormat()->Equals(*In->GetFormat()));
  EXPECT_FALSE(Back->GetActive());
}

TEST(ACMCheck, RaisesTheTableTextInTheGivenClassAfterTheContext) {
  const struct {
    unsigned Code;
    const char* Text;
  } Cases[] = {
      {2, "Bad device ID."},
      {3, "Driver not enabled."},
      {4, "Device already allocated."},
      {5, "The specified handle is invalid."},
      {6, "A suitable driver is not available to provide valid format selections."},
      {7, "The system is unable to allocate resources."},
      {8, "Function not supported."},
      {10, "At least one flag is invalid."},
      {11, "At least one parameter is invalid."},
      {12, "Device handle in use."},
      {32, "The selected audio format is not supported on this machine."},
      {33, "Audio device is still playing."},
      {34, "Cannot perform this action on a header that has not been prepared."},
      {514, "Cannot perform this action on a header that has not been prepared."},
      {35, "Device is synchronous."},
      {512, "The requested operation cannot be performed."},
      {513, "The conversion stream is already in use."},
      {1, "An unexpected error has occurred (code #1)."},
      {999, "An unexpected error has occurred (code #999)."},
  };
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Code);
    try {
      ACMCheck<EACMAudioInError>(C.Code, "Error opening audio device for input.");
      ADD_FAILURE() << "nothing raised";
    } catch (const EACMAudioInError& E) {
      EXPECT_EQ(std::string("Error opening audio device for input.\r\n") + C.Text, E.GetMessage());
    }
    EXPECT_EQ(C.Text, ACMErrorText(C.Code, ""));
  }
  EXPECT_NO_THROW(ACMCheck<EACMError>(0, "anything"));
  EXPECT_THROW(ACMCheck<EACMCodecError>(7, ""), EACMCodecError);
}

namespace {

// Consumers that log what reaches them.
class TConsumer : public TComponent {
  SONVELT_CLASS(TConsumer, TComponent)
public:
  TConsumer(TComponent* AOwner, std::vector<std::string>* Log, std::string Name)
      : TComponent(AOwner), FLog(Log), FName(std::move(Name)) {
    Observer = TdeAudioObserver::Create(this, TAudioDataCallback(this, &TConsumer::Data));
  }
  void Data(IdeAudioSubject*, const void* Block, int Size) {
    FLog->push_back(FName + " " + std::string(static_cast<const char*>(Block), static_cast<size_t>(Size)));
    if (DetachWhenCalled) Observer->SetSubject(nullptr);
    if (Fail) throw EACMError(FName + " failed");
  }
  TdeAudioObserver* Observer = nullptr;
  bool DetachWhenCalled = false;
  bool Fail = false;

private:
  std::vector<std::string>* FLog;
  std::string FName;
};

struct TErrorLog {
  std::vector<std::string> Messages;
  bool Raise = true;
  void Error(IdeAudioSubject*, IdeAudioObserver*, const Exception& E, bool& RaiseException) {
    Messages.push_back(E.GetMessage());
    RaiseException = Raise;
  }
};

}  // namespace

TEST(AudioLink, AnObserverDetachingItselfCostsTheNextOneNothing) {
  TOwned<TTestSubject> P(TTestSubject::Create(nullptr));
  std::vector<std::string> Log;
  TOwned<TConsumer> A(TConsumer::Create(nullptr, &Log, "A")), B(TConsumer::Create(nullptr, &Log, "B")),
      C(TConsumer::Create(nullptr, &Log, "C"));
  for (TConsumer* X : {A.get(), B.get(), C.get()}) X->Observer->SetSubject(P.get());
  A->DetachWhenCalled = true;
  P->Send("one", 3);
  P->Send("two", 3);
  EXPECT_EQ((std::vector<std::string>{"A one", "B one", "C one", "B two", "C two"}), Log);
  EXPECT_EQ(nullptr, A->Observer->GetSubject());

  // An observer going away detaches; a subject going away leaves its observers with none.
  B.reset();
  EXPECT_EQ(1, P->Subject->GetObserverCount());
  P.reset();
  EXPECT_EQ(nullptr, C->Observer->GetSubject());
}

TEST(AudioLink, ObserverErrorsGoToTheHandlerWhichDecidesWhetherTheyGoOn) {
  TOwned<TTestSubject> P(TTestSubject::Create(nullptr));
  std::vector<std::string> Log;
  TOwned<TConsumer> A(TConsumer::Create(nullptr, &Log, "A")), B(TConsumer::Create(nullptr, &Log, "B"));
  A->Observer->SetSubject(P.get());
  B->Observer->SetSubject(P.get());
  A->Fail = true;
  TErrorLog Errors;
  P->Subject->OnObserverError = TObserverErrorEvent(&Errors, &TErrorLog::Error);

  Errors.Raise = false;
  P->Send("x", 1);
  EXPECT_EQ((std::vector<std::string>{"A x", "B x"}), Log);
  EXPECT_EQ(std::vector<std::string>{"A failed"}, Errors.Messages);

  Errors.Raise = true;
  EXPECT_THROW(P->Send("y", 1), EACMError);
  EXPECT_EQ("A y", Log.back()) << "B is not reached once the error goes on";
}

TEST(AudioLink, OnlyAnotherAudioSubjectCanBeObserved) {
  std::vector<std::string> Log;
  TOwned<TConsumer> A(TConsumer::Create(nullptr, &Log, "A"));
  TOwned<TTestSubject> P(TTestSubject::Create(nullptr));
  A->Observer->SetSubject(P.get());
  const struct {
    TComponent* Subject;
    const char* Message;
  } Refused[] = {{A.get(), "Component cannot observe itself."},
                 {A->Observer, "The selected component is not an audio subject."}};
  for (const auto& R : Refused) {
    try {
      A->Observer->SetSubject(R.Subject);
      ADD_FAILURE() << R.Message;
    } catch (const EACMError& E) {
      EXPECT_EQ(R.Message, E.GetMessage());
    }
    EXPECT_EQ(P.get(), A->Observer->GetSubject()) << "the old subject stays";
  }
}
