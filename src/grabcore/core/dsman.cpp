#include "dsman.h"

#include "../texts/engine_texts.h"
#include "convert.h"
#include "lex.h"

void dsMan::reportError(const std::string& text) {
  engine_.host().showErrorDialog(text);
  engine_.clean("");
  ok = false;
}

int32_t dsMan::argInt(size_t index) const { return toInt32(engine_.token(index)); }

double dsMan::argReal(size_t index) const { return toDouble(engine_.token(index)); }

const std::string& dsMan::argText(size_t index) const { return engine_.token(index); }

std::shared_ptr<dsMother> dsMan::argObject(size_t index) const { return engine_.object(engine_.token(index)); }

uint32_t dsMan::argNumber(size_t index) const { return engine_.namedNumber(engine_.token(index)); }

std::string dsMan::argWord(size_t index) const {
  return index < engine_.tokenCount() ? engine_.tokens[index] : std::string();
}
