#pragma once

#include "AccountRepository.h"
#include "CategoryRepository.h"
#include "PreferencesRepository.h"
#include "ReconciliationRepository.h"
#include "RecurringRepository.h"
#include "SplitLineRepository.h"
#include "SyncStore.h"
#include "TransactionRepository.h"

// The repositories of the scratch database as the sync engine holds them,
// with one pending row of each kind for the pulled and pushed records to
// meet: account "acc-1", category "cat-1", split transaction "txn-1" (one line
// on cat-1), recurring rule "rec-1" and reconciliation "rcn-1".
class FuzzSyncRig
{
public:
    // The rig of the process, made on first use.
    static FuzzSyncRig &instance();

    AccountRepository accounts;
    TransactionRepository transactions;
    CategoryRepository categories;
    RecurringRepository recurring;
    ReconciliationRepository reconciliations;
    SplitLineRepository splitLines;
    PreferencesRepository preferences;
    SyncStore store;

private:
    explicit FuzzSyncRig(Database *database);
    void addRows();
};
