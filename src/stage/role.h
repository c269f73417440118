// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <array>
#include <cstddef>

namespace stage {

// The three parts of the cast: the two pupils, Tom and Jenny, and the host, Kaibo, who greets
// the learner and thinks each translation.
enum class Role { Boy, Girl, Host };
inline constexpr std::size_t kRoleCount = 3;
inline constexpr std::array<Role, kRoleCount> kRoles = {Role::Boy, Role::Girl, Role::Host};

// Who plays a role: the character's ID, its file beside the program, and where it stands at
// home (its top-left corner on the screen, in pixels).
struct CastMember {
  Role role;
  const char* id;
  const char* fileName;
  QPoint home;
};

// The row of the cast table for `role`.
const CastMember& castMember(Role role);

}  // namespace stage
