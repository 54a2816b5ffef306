#pragma once

#include "analysis/indicator_glossary.h"

#include <QString>

/// A term's definition as the tooltip of the label, box or header that shows it.
inline QString definitionTip(quorlin::Term term)
{
    return QString::fromStdString(quorlin::definitionOf(term));
}
