// JpgImg: the picture control that shows a JPEG file.
//
// TJPEGImage keeps the compressed bytes of the last file it read and decodes
// them with libjpeg into the picture it draws. Every decoding option is a
// property; changing one decodes the kept bytes again, without reading the
// file again. The decoding itself is the free function DecodeJPEG, which
// needs no widget and no display.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace kyt {

// Colour count of the displayed picture.
enum class TNumOfColors { _16, _256, TrueColor };
// Inverse-DCT method of the codec.
enum class TDCTMethod { Integ, FastInteg, FloatingPoint };
// Dithering used when colours are reduced.
enum class TDither { None, FS, Ordered };
// Progress step in percent, 1 to 100.
using TDelta = int;

// A decoding failure: the codec's formatted message, or one of our own.
class EJPEGException : public std::runtime_error {
public:
  explicit EJPEGException(const std::string &message) : std::runtime_error(message) {}
  QString message() const { return QString::fromUtf8(what()); }
};

// A picture file that cannot be opened ("Cannot open file <name>").
class EFOpenError : public std::runtime_error {
public:
  explicit EFOpenError(const std::string &message) : std::runtime_error(message) {}
  QString message() const { return QString::fromUtf8(what()); }
};

// The decoding options, applied to the codec in the order of the fields:
// a later field overrides what an earlier one chose.
struct TJPEGOptions {
  TNumOfColors NumOfColors = TNumOfColors::_256;
  TDCTMethod DCTMethod = TDCTMethod::Integ;
  TDither Dither = TDither::FS;
  bool FastProcessing = false; // one pass, ordered dither, fast DCT, no smoothing
  bool GrayScale = false;
  bool NoSmooth = false; // no fancy upsampling
  bool OnePass = false;  // one-pass colour quantisation
  bool operator==(const TJPEGOptions &) const = default;
};

// The largest picture, in pixels, that a decode will allocate (4096 x 4096):
// with the codec's own full-picture buffers, which are held to
// MaxJPEGCodecBytes, no picture needs more than 256 MiB of decoded pixels. A
// header that announces more fails before any output is allocated.
inline constexpr std::uint64_t MaxJPEGPixels = std::uint64_t(1) << 24;
inline constexpr long MaxJPEGCodecBytes = long(192) << 20;
// The largest picture file that is read; only regular files are read.
inline constexpr qint64 MaxJPEGFileBytes = qint64(64) << 20;

// Decodes a complete JPEG file image. The result is 8-bit indexed with its
// colour table when the colours are quantised or the output is greyscale, and
// 24-bit RGB otherwise. While the rows are produced, onProgress (if set) is
// called with the percentage done each time it reaches a new multiple of
// progressStep (1 to 100); 0 is never reported and no value twice.
// Throws EJPEGException on every failure, including the codec's first
// warning; no output survives a failure.
QImage DecodeJPEG(const char *data, std::size_t size, const TJPEGOptions &options,
                  TDelta progressStep = 10,
                  const std::function<void(int percent)> &onProgress = {});
inline QImage DecodeJPEG(const QByteArray &data, const TJPEGOptions &options,
                         TDelta progressStep = 10,
                         const std::function<void(int percent)> &onProgress = {}) {
  return DecodeJPEG(data.constData(), std::size_t(data.size()), options, progressStep,
                    onProgress);
}

// Reads and decodes the named files with the default options on threads of
// their own while the caller goes on (the start-up decodes three schematics
// while it builds the desk). A later FileName assignment of one of them
// whose file holds the same bytes takes the finished picture instead of
// decoding it again, unless a progress handler is connected; a file that
// could not be read or decoded is left to that assignment, which reports it
// as always. Each picture serves once.
void PrefetchJPEGFiles(const QStringList &fileNames);


// The picture control. It draws its picture at natural size from its
// top-left corner, clipped to the control; it neither stretches nor centres.
class TJPEGImage : public QWidget {
  Q_OBJECT
  Q_PROPERTY(kyt::TNumOfColors NumOfColors READ NumOfColors WRITE setNumOfColors)
  Q_PROPERTY(kyt::TDCTMethod DCTMethod READ DCTMethod WRITE setDCTMethod)
  Q_PROPERTY(kyt::TDither Dither READ Dither WRITE setDither)
  Q_PROPERTY(bool FastProcessing READ FastProcessing WRITE setFastProcessing)
  Q_PROPERTY(bool GrayScale READ GrayScale WRITE setGrayScale)
  Q_PROPERTY(bool NoSmooth READ NoSmooth WRITE setNoSmooth)
  Q_PROPERTY(bool OnePass READ OnePass WRITE setOnePass)
  Q_PROPERTY(QString FileName READ FileName WRITE setFileName)
  Q_PROPERTY(int ProgressStep READ ProgressStep WRITE setProgressStep)

public:
  explicit TJPEGImage(QWidget *parent = nullptr);
  ~TJPEGImage() override;

  TNumOfColors NumOfColors() const { return FOptions.NumOfColors; }
  TDCTMethod DCTMethod() const { return FOptions.DCTMethod; }
  TDither Dither() const { return FOptions.Dither; }
  bool FastProcessing() const { return FOptions.FastProcessing; }
  bool GrayScale() const { return FOptions.GrayScale; }
  bool NoSmooth() const { return FOptions.NoSmooth; }
  bool OnePass() const { return FOptions.OnePass; }
  QString FileName() const { return FFileName; }
  TDelta ProgressStep() const { return FProgressStep; }
  const TJPEGOptions &Options() const { return FOptions; }

  // Each option setter stores the value and decodes the kept bytes again;
  // setting the value already held does nothing. A failed decode throws
  // EJPEGException and leaves the picture as it was (the option keeps its
  // new value).
  void setNumOfColors(TNumOfColors value);
  void setDCTMethod(TDCTMethod value);
  void setDither(TDither value);
  void setFastProcessing(bool value);
  void setGrayScale(bool value);
  void setNoSmooth(bool value);
  void setOnePass(bool value);

  // Stores the name, reads the whole file (relative names against the
  // current directory) into the kept bytes and decodes them. An empty name
  // empties the kept bytes and leaves the picture. A file that cannot be
  // opened, or is no regular file of at most MaxJPEGFileBytes (a named pipe,
  // a device), throws EFOpenError; the name is stored all the same and the
  // kept bytes stay. Setting the same name again reads the file again.
  void setFileName(const QString &name);

  // Values outside 1 to 100 are brought into that range.
  void setProgressStep(TDelta value);

  // While the control is being set up from a stored layout, option changes
  // only store their values.
  void BeginLoading() { FLoading = true; }
  void EndLoading() { FLoading = false; }
  bool Loading() const { return FLoading; }

  // The displayed picture; a picture can also be given directly (for
  // example one stored with a window, shown until a file is decoded).
  const QImage &Picture() const { return FPicture; }
  void setPicture(const QImage &picture);

  // The compressed bytes kept from the last file read.
  const QByteArray &SourceBuffer() const { return FSource; }

  // The percentage most recently reported through OnProgress.
  int ProgressPercent() const { return FProgressPercent; }

  QSize sizeHint() const override;

signals:
  // Reported during a decode, on the GUI thread, at each new multiple of
  // ProgressStep percent of the rows produced.
  void OnProgress(kyt::TJPEGImage *Sender);

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  void Decode();
  bool TakePrefetched();
  template <typename T> void SetOption(T &field, T value);

  TJPEGOptions FOptions;
  QString FFileName;
  TDelta FProgressStep = 10;
  bool FLoading = false;
  QByteArray FSource;
  QImage FPicture;
  QPixmap FPixmap; // FPicture converted for drawing, made on first paint
  int FProgressPercent = 0;
};

} // namespace kyt
