// What the person is told when the installer arrived damaged: at the start,
// when its checksum or its record chain fails, and in the copy stage, when
// a compressed database does not decode to the size it states.
#pragma once

constexpr char kDamagedInstallerText[] = "This installer is damaged or incomplete. Please download it again.";
constexpr char kDamagedInstallerCaption[] = "Installer Damaged";
