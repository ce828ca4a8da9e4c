#include "SessaoAtual.h"

TSessao SessaoAtual;
