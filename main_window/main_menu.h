// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What "Aiuto" shows: the program's version, licence and web address, and where its manual is.

#include <QString>
#include <QUrl>

namespace main_window {

// "Informazioni su Velmaro".
QString AboutText();

// The installed manual beside the program (share/doc/velmaro/manual.md), or the web address.
QUrl ManualAddress();

} // namespace main_window
