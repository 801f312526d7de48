// The class names of the window tables and the factories that make them.
#include "Layout.h"
#include "StdControls.h"

#include "ArrowButton.h"
#include "ArtLabel.h"
#include "DigitCounter.h"
#include "ExplorerButton.h"
#include "GradientButton.h"
#include "HemisphereButton.h"
#include "Label3D.h"
#include "Led.h"
#include "Panel3D.h"
#include "RelayIndicator.h"
#include "ShadowButton.h"
#include "SpotLabel.h"

namespace kyt::layout {

namespace {

template <class T>
Factory make()
{
    return [](QWidget* parent) -> QWidget* { return new T(parent); };
}

} // namespace

void registerStandardClasses(ClassMap& map)
{
    // The toolkit's plain controls.
    map.add(QStringLiteral("Panel"), make<Panel>());
    map.add(QStringLiteral("shape"), make<Shape>());
    map.add(QStringLiteral("Label"), make<Label>());
    map.add(QStringLiteral("Memo"), make<Memo>());
    map.add(QStringLiteral("Image"), make<Image>());
    // The desk's painted controls.
    map.add(QStringLiteral("Led"), make<Led>());
    map.add(QStringLiteral("RelayIndicator"), make<RelayIndicator>());
    map.add(QStringLiteral("DigitCounter"), make<DigitCounter>());
    map.add(QStringLiteral("HemisphereButton"), make<HemisphereButton>());
    map.add(QStringLiteral("ArrowButton"), make<ArrowButton>());
    map.add(QStringLiteral("SpotLabel"), make<SpotLabel>());
    map.add(QStringLiteral("Label3D"), make<Label3D>());
    map.add(QStringLiteral("Panel3D"), make<Panel3D>());
    map.add(QStringLiteral("GradientButton"), make<GradientButton>());
    map.add(QStringLiteral("ShadowButton"), make<ShadowButton>());
    map.add(QStringLiteral("ExplorerButton"), make<ExplorerButton>());
    map.add(QStringLiteral("ArtLabel"), make<ArtLabel>());
}

const ClassMap& standardClasses()
{
    static const ClassMap map = [] {
        ClassMap m;
        registerStandardClasses(m);
        return m;
    }();
    return map;
}

} // namespace kyt::layout
