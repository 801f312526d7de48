// The class names of the window tables and the factories that make them.
#include "Layout.h"
#include "StdControls.h"

#include <QMouseEvent>

#if __has_include("ALed.h")
#include "ALed.h"
#endif
#if __has_include("Apples.h")
#include "Apples.h"
#endif
#if __has_include("Digits.h")
#include "Digits.h"
#endif
#if __has_include("HemiBtn.h")
#include "HemiBtn.h"
#endif
#if __has_include("arrowbtn.h")
#include "arrowbtn.h"
#endif
#if __has_include("SpotLabel.h")
#include "SpotLabel.h"
#endif
#if __has_include("Label3D.h")
#include "Label3D.h"
#endif
#if __has_include("Panel3D.h")
#include "Panel3D.h"
#endif
#if __has_include("Gradbtn.h")
#include "Gradbtn.h"
#endif
#if __has_include("ShadowButton.h")
#include "ShadowButton.h"
#endif
#if __has_include("explbtn.h")
#include "explbtn.h"
#endif
#if __has_include("ArtLabel.h")
#include "ArtLabel.h"
#endif

namespace kyt::layout {

namespace {

// Stands in for a painted control whose class is not part of the build yet:
// it keeps the properties it is given and reports a click.
class PendingControl : public QWidget {
  Q_OBJECT
public:
  PendingControl(const QString &cls, QWidget *parent) : QWidget(parent)
  {
    setProperty("kytPending", true);
    setProperty("kytClass", cls);
  }
signals:
  void OnClick(QObject *Sender);

protected:
  void mouseReleaseEvent(QMouseEvent *e) override
  {
    if (rect().contains(e->position().toPoint()))
      emit OnClick(this);
  }
};

template <class T> Factory make()
{
  return [](QWidget *parent) -> QWidget * { return new T(parent); };
}

Factory pending(const QString &cls)
{
  return [cls](QWidget *parent) -> QWidget * { return new PendingControl(cls, parent); };
}

} // namespace

void registerStandardClasses(ClassMap &map)
{
  map.add(QStringLiteral("TPanel"), make<TPanel>());
  map.add(QStringLiteral("TShape"), make<TShape>());
  map.add(QStringLiteral("TLabel"), make<TLabel>());
  map.add(QStringLiteral("TMemo"), make<TMemo>());
  map.add(QStringLiteral("TImage"), make<TImage>());
#if __has_include("ALed.h")
  map.add(QStringLiteral("TALed"), make<TALed>());
#else
  map.add(QStringLiteral("TALed"), pending(QStringLiteral("TALed")));
#endif
#if __has_include("Apples.h")
  map.add(QStringLiteral("TApples"), make<TApples>());
#else
  map.add(QStringLiteral("TApples"), pending(QStringLiteral("TApples")));
#endif
#if __has_include("Digits.h")
  map.add(QStringLiteral("TDigits"), make<TDigits>());
#else
  map.add(QStringLiteral("TDigits"), pending(QStringLiteral("TDigits")));
#endif
#if __has_include("HemiBtn.h")
  map.add(QStringLiteral("THemisphereButton"), make<THemisphereButton>());
#else
  map.add(QStringLiteral("THemisphereButton"), pending(QStringLiteral("THemisphereButton")));
#endif
#if __has_include("arrowbtn.h")
  map.add(QStringLiteral("TArrowButton"), make<TArrowButton>());
#else
  map.add(QStringLiteral("TArrowButton"), pending(QStringLiteral("TArrowButton")));
#endif
#if __has_include("SpotLabel.h")
  map.add(QStringLiteral("TSpotLabel"), make<TSpotLabel>());
#else
  map.add(QStringLiteral("TSpotLabel"), pending(QStringLiteral("TSpotLabel")));
#endif
#if __has_include("Label3D.h")
  map.add(QStringLiteral("TLabel3D"), make<TLabel3D>());
#else
  map.add(QStringLiteral("TLabel3D"), pending(QStringLiteral("TLabel3D")));
#endif
#if __has_include("Panel3D.h")
  map.add(QStringLiteral("TPanel3D"), make<TPanel3D>());
#else
  map.add(QStringLiteral("TPanel3D"), pending(QStringLiteral("TPanel3D")));
#endif
#if __has_include("Gradbtn.h")
  map.add(QStringLiteral("TGradButton"), make<TGradButton>());
#else
  map.add(QStringLiteral("TGradButton"), pending(QStringLiteral("TGradButton")));
#endif
#if __has_include("ShadowButton.h")
  map.add(QStringLiteral("TShadowButton"), make<TShadowButton>());
#else
  map.add(QStringLiteral("TShadowButton"), pending(QStringLiteral("TShadowButton")));
#endif
#if __has_include("explbtn.h")
  map.add(QStringLiteral("TExplorerButton"), make<TExplorerButton>());
#else
  map.add(QStringLiteral("TExplorerButton"), pending(QStringLiteral("TExplorerButton")));
#endif
#if __has_include("ArtLabel.h")
  map.add(QStringLiteral("TArtLabel"), make<TArtLabel>());
#else
  map.add(QStringLiteral("TArtLabel"), pending(QStringLiteral("TArtLabel")));
#endif
}

const ClassMap &standardClasses()
{
  static const ClassMap map = [] {
    ClassMap m;
    registerStandardClasses(m);
    return m;
  }();
  return map;
}

} // namespace kyt::layout

#include "Classes.moc"
