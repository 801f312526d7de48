#pragma once
// Setter helpers shared by the controls: a property is stored, announced and
// redrawn only when its value really changes.
//
//     void Panel3D::setCaption(const QString& value)
//     {
//         if (assign(this, caption_, value, &Panel3D::captionChanged))
//             update();
//     }

#include <utility>

namespace kyt {

// Stores value in field if the two differ; returns whether it did.
template <typename T, typename U>
bool assign(T& field, U&& value)
{
    if (field == value)
        return false;
    field = std::forward<U>(value);
    return true;
}

// As above, and then emits the property's NOTIFY signal of object with the
// value now held.
template <typename Object, typename T, typename U, typename Signal>
bool assign(Object* object, T& field, U&& value, Signal changed)
{
    if (!assign(field, std::forward<U>(value)))
        return false;
    (object->*changed)(field);
    return true;
}

} // namespace kyt
