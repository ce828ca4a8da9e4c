#pragma once

class QLineEdit;

// Fields that force their case as the operator types ("upper case" and
// "lower case" fields of the registries), keeping the cursor in place.
void CampoMaiusculas(QLineEdit* campo);
void CampoMinusculas(QLineEdit* campo);
// Accepts only a number: up to `inteiros` digits, one comma or point, up to four decimals.
void CampoNumerico(QLineEdit* campo, int inteiros);
