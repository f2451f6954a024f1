#pragma once
// What a host's property browser shows for the button's members: the help
// string of each property, event and method, and the category of the
// properties that have one.
#include <QString>
#include <span>

namespace glint {

struct MemberDescription {
    const char* name;
    const char* description;
    const char* category; // empty when the member has no category
};

std::span<const MemberDescription> propertyDescriptions();
std::span<const MemberDescription> eventDescriptions();
std::span<const MemberDescription> methodDescriptions();
// Looks a member up by name among all three lists, without regard to case;
// nullptr for an unknown name.
const MemberDescription* describeMember(const QString& name);

} // namespace glint
