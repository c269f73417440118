// SPDX-License-Identifier: GPL-3.0-or-later
#include "role.h"

#include "stage/cast_table.h"

namespace stage {
namespace {

constexpr bool tableFollowsTheRoles() {
  for (std::size_t index = 0; index < kRoleCount; ++index) {
    if (kCastTable[index].role != kRoles[index]) return false;
  }
  return true;
}
static_assert(tableFollowsTheRoles(), "src/stage/cast.cmake lists the roles in their order");

}  // namespace

const CastMember& castMember(Role role) {
  return kCastTable[static_cast<std::size_t>(role)];
}

}  // namespace stage
