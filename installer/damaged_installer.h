// What the person is told when the installer arrived damaged: at the start,
// when its checksum or its record chain fails, and in the copy stage, when
// a compressed database does not decode to the size it states.
#pragma once

// inline: one copy in the program for both its users, not one each.
inline constexpr char kDamagedInstallerText[] = "This installer is damaged or incomplete. Please download it again.";
inline constexpr char kDamagedInstallerCaption[] = "Installer Damaged";
