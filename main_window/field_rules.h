#pragma once

// How a command takes a field: its messages and its conversion step. Each field has a subject
// ("la tensione di ingresso E") from which its messages are made, so every command words them
// alike.

#include <string>

struct DesignState;

struct FieldRule {
    const char* field;       // the field's control name
    const char16_t* subject; // what the field holds, as the messages name it
};

// When the graph command turns a verification field's text black, marking that it has taken
// the value over.
enum class Blacken { Never, OnceRead, OnceAccepted };

// One conversion of a command: the field's number times its unit's scale is stored in a member
// of the design state, and then tested; a rejected value stays stored.
struct ValueStep {
    FieldRule rule;
    double scale;
    double DesignState::*member;
    bool (*accepts)(const DesignState& state);
    const char16_t* rejection; // the message for a value that fails the test
    Blacken blacken = Blacken::Never;
};

// "Hai dimenticato di scrivere <subject>"
std::u16string MissingFieldMessage(const FieldRule& rule);

// "Errore di inserimento dati per <subject>. Puoi scrivere soltanto numeri razionali ..."
std::u16string InvalidFieldMessage(const FieldRule& rule);

// For a number beyond the range of a 64-bit real, or one that its unit's scale takes there.
std::u16string UnrepresentableFieldMessage(const FieldRule& rule);

// For a count outside the range of a signed 32-bit integer.
std::u16string CountOutOfRangeMessage(const FieldRule& rule);
