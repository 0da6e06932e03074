#pragma once
#include <string>

#include "util/errors.h"

namespace expr {

// Compile errors of an expression. what() is the text shown to the user.
class EMathParserError : public util::Error {
public:
    using util::Error::Error;
};

class EExpressionHasBlanks : public EMathParserError {
public:
    EExpressionHasBlanks() : EMathParserError("Expression has blanks") {}
};

class EMissMatchingBracket : public EMathParserError {
public:
    EMissMatchingBracket() : EMathParserError("Missing brackets in expression") {}
};

// Carries "Error parsing expression:\r<left>\r<right>" or "Error parsing expression:\r<term>".
class ESyntaxError : public EMathParserError {
public:
    using EMathParserError::EMathParserError;
};

class ETooManyNestings : public EMathParserError {
public:
    ETooManyNestings() : EMathParserError("Expression contains too many nestings") {}
};

class EExpressionTooComplex : public EMathParserError {
public:
    EExpressionTooComplex() : EMathParserError("Expression is too complex") {}
};

class EParserInternalError : public EMathParserError {
public:
    EParserInternalError() : EMathParserError("TParser internal error") {}
};

// A variable name that is not an identifier; the message is the name itself.
class EBadName : public EMathParserError {
public:
    using EMathParserError::EMathParserError;
};

// A floating-point or integer fault while an expression is evaluated. The parser stays usable.
class EEvaluationError : public util::Error {
public:
    using util::Error::Error;
};

}  // namespace expr
