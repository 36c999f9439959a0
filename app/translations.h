// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers
#pragma once

namespace pomuru {

// Installs Qt's own Japanese translations (qtbase_ja from Qt's translations
// directory), so that what Qt itself shows — the answer box's context menu,
// standard dialog buttons — is Japanese whatever the system's language: the
// program speaks only Japanese. Needs the application object; returns false
// when the translations are not installed, and Qt then shows its English.
bool installQtJapanese();

} // namespace pomuru
