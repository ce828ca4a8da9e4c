// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "TRelevo.h"

class QWidget;

// The strip of pictures beside a preview's pages (a weighing's camera
// snapshots beside its ticket): each picture scaled to a thumbnail with its
// caption; double-clicking one shows it whole. Nothing when there are none.
QWidget* PainelFotosPreview(const QList<FotoPreview>& fotos, QWidget* pai);
