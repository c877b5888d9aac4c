// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a command takes a field: its messages and its conversion step. Each field has a subject
// ("la tensione di ingresso E") that its messages name, so every command words them alike.

#include "main_window/form1_layout.h"

#include <QString>

#include <QtGlobal>

#include "app/design_state.h"

namespace main_window {

struct FieldRule {
    Form1Field field;    // the field
    const char* subject; // what the field holds, as the messages name it (marked for translation)
};

// The fields the commands read. The design data, for "Calcola C":
inline constexpr FieldRule kDesignE{"Text1", QT_TRANSLATE_NOOP("Velmaro", "la tensione di ingresso E")};
inline constexpr FieldRule kDesignVom{
    "Text2", QT_TRANSLATE_NOOP("Velmaro", "il valore della tensione desiderata in uscita Vom")};
inline constexpr FieldRule kDesignF{
    "Text3",
    QT_TRANSLATE_NOOP("Velmaro", "il valore della frequenza del segnale in ingresso f in kHz")};
inline constexpr FieldRule kDesignDeltaVo{"Text4",
                                          QT_TRANSLATE_NOOP("Velmaro", "il valore di DeltaVo in mV")};
inline constexpr FieldRule kDesignR{"Text6", QT_TRANSLATE_NOOP("Velmaro", "il valore di R in kohm")};
// The filter's, for "Calcola C": the second stage's ratio (order 2) and the load (when given).
inline constexpr FieldRule kDesignStageRatio{
    "StageRatioField", QT_TRANSLATE_NOOP("Velmaro", "il rapporto k tra i due stadi")};
inline constexpr FieldRule kDesignLoad{
    "LoadField", QT_TRANSLATE_NOOP("Velmaro", "la resistenza di carico RL in kohm")};
// The verification data and the run settings, for "Grafici":
inline constexpr FieldRule kVerifyE{"Text7", kDesignE.subject};
inline constexpr FieldRule kVerifyD{"Text8",
                                    QT_TRANSLATE_NOOP("Velmaro", "il valore del Duty Cycle in %")};
inline constexpr FieldRule kVerifyF{"Text12", kDesignF.subject};
inline constexpr FieldRule kVerifyR{
    "Text9", QT_TRANSLATE_NOOP("Velmaro", "il valore della resistenza R in kohm")};
inline constexpr FieldRule kVerifyC{"Text10",
                                    QT_TRANSLATE_NOOP("Velmaro", "il valore della capacità in nF")};
inline constexpr FieldRule kSamples{"Text13",
                                    QT_TRANSLATE_NOOP("Velmaro", "il numero dei campioni N")};
inline constexpr FieldRule kPeriodsDrawn{
    "Text14", QT_TRANSLATE_NOOP("Velmaro", "il numero dei periodi visualizzati NP")};
inline constexpr FieldRule kPeriodsSimulated{
    "Text15", QT_TRANSLATE_NOOP("Velmaro", "il numero delle iterazioni NI")};
// The filter's, for "Grafici", each when it holds text:
inline constexpr FieldRule kVerifyR2{"R2Field",
                                     QT_TRANSLATE_NOOP("Velmaro", "la resistenza R2 in kohm")};
inline constexpr FieldRule kVerifyC2{"C2Field",
                                     QT_TRANSLATE_NOOP("Velmaro", "la capacità C2 in nF")};
inline constexpr FieldRule kVerifyLoad{"RLField", kDesignLoad.subject};

// The load's range message, the same for both commands.
inline constexpr char kLoadRejection[] =
    QT_TRANSLATE_NOOP("Velmaro", "La resistenza di carico RL non può essere zero o negativa!");

// When the graph command turns a verification field's text black, marking that it has taken
// the value over.
enum class Blacken { Never, OnceRead, OnceAccepted };

// One conversion of a command: the field's number times its unit's scale is stored in a member
// of the design state, and then tested; a rejected value stays stored.
struct ValueStep {
    FieldRule rule;
    double scale;
    double app::DesignState::*member;
    bool (*accepts)(const app::DesignState& state);
    const char* rejection; // the message for a value that fails the test (marked)
    Blacken blacken = Blacken::Never;
};

// "Calcola C"'s conversions of the design data, in the order they are made, each value stored
// before its test.
inline constexpr ValueStep kDesignSteps[] = {
    {kDesignE, 1, &app::DesignState::E, [](const app::DesignState& s) { return s.E > 0; },
     QT_TRANSLATE_NOOP("Velmaro", "La tensione in ingresso non può essere zero o negativa!")},
    {kDesignVom, 1, &app::DesignState::Vom,
     [](const app::DesignState& s) { return s.Vom > 0 && s.Vom <= s.E; },
     QT_TRANSLATE_NOOP("Velmaro",
                       "La tensione in uscita non può essere zero o negativa o maggiore di E!")},
    {kDesignF, 1000, &app::DesignState::f, [](const app::DesignState& s) { return s.f > 0; },
     QT_TRANSLATE_NOOP("Velmaro", "La frequenza non può essere zero o negativa!")},
    {kDesignDeltaVo, 0.001, &app::DesignState::DeltaVo,
     [](const app::DesignState& s) { return s.DeltaVo > 0; },
     QT_TRANSLATE_NOOP("Velmaro", "DeltaVo non può essere zero o negativo!")},
    {kDesignR, 1000, &app::DesignState::R, [](const app::DesignState& s) { return s.R > 0; },
     QT_TRANSLATE_NOOP("Velmaro", "R non può essere zero o negativa!")},
};

// "Hai dimenticato di scrivere <subject>"
QString MissingFieldMessage(const FieldRule& rule);

// "Errore di inserimento dati per <subject>. Puoi scrivere soltanto numeri razionali ..."
QString InvalidFieldMessage(const FieldRule& rule);

// For a number beyond the range of a 64-bit real, or one that its unit's scale takes there.
QString UnrepresentableFieldMessage(const FieldRule& rule);

// For a count outside the range of a signed 32-bit integer.
QString CountOutOfRangeMessage(const FieldRule& rule);

} // namespace main_window
