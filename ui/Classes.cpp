// The class names of the window tables and the factories that make them.
#include "Layout.h"
#include "StdControls.h"

#include "ALed.h"
#include "Apples.h"
#include "ArtLabel.h"
#include "Digits.h"
#include "Gradbtn.h"
#include "HemiBtn.h"
#include "Label3D.h"
#include "Panel3D.h"
#include "ShadowButton.h"
#include "SpotLabel.h"
#include "arrowbtn.h"
#include "explbtn.h"

namespace kyt::layout {

namespace {

template <class T> Factory make()
{
  return [](QWidget *parent) -> QWidget * { return new T(parent); };
}

} // namespace

void registerStandardClasses(ClassMap &map)
{
  // The toolkit's plain controls.
  map.add(QStringLiteral("TPanel"), make<TPanel>());
  map.add(QStringLiteral("TShape"), make<TShape>());
  map.add(QStringLiteral("TLabel"), make<TLabel>());
  map.add(QStringLiteral("TMemo"), make<TMemo>());
  map.add(QStringLiteral("TImage"), make<TImage>());
  // The desk's painted controls.
  map.add(QStringLiteral("TALed"), make<TALed>());
  map.add(QStringLiteral("TApples"), make<TApples>());
  map.add(QStringLiteral("TDigits"), make<TDigits>());
  map.add(QStringLiteral("THemisphereButton"), make<THemisphereButton>());
  map.add(QStringLiteral("TArrowButton"), make<TArrowButton>());
  map.add(QStringLiteral("TSpotLabel"), make<TSpotLabel>());
  map.add(QStringLiteral("TLabel3D"), make<TLabel3D>());
  map.add(QStringLiteral("TPanel3D"), make<TPanel3D>());
  map.add(QStringLiteral("TGradButton"), make<TGradButton>());
  map.add(QStringLiteral("TShadowButton"), make<TShadowButton>());
  map.add(QStringLiteral("TExplorerButton"), make<TExplorerButton>());
  map.add(QStringLiteral("TArtLabel"), make<TArtLabel>());
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
