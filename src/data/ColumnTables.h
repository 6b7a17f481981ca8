#pragma once

#include "Account.h"
#include "Category.h"
#include "Reconciliation.h"
#include "RecordColumns.h"
#include "RecurringRepository.h"
#include "RecurringTransaction.h"
#include "SplitLine.h"
#include "Transaction.h"

// One table per record, listing its columns once: their names in the
// database and in a backup row, how each is stored, whether a repository
// rewrites it on update and whether a sync payload carries it. The order is
// the order of a read's columns; the migrations own the database's. The rules
// for adding a column are at the top of RecordColumns.h.
namespace ColumnTables {

using namespace RecordColumns;

// The bookkeeping a synchronised record ends with. Its identity and time
// stamps come back from the server in a pulled record's header; the sync
// status never leaves the device.
constexpr auto bookkeeping(Sent version = Sent::Always)
{
    return std::tuple{
        integer<&SyncedRecord::version>("version").inHeader().sending(version),
        choice<&SyncedRecord::syncStatus, syncStatusToString, syncStatusFromString>("sync_status").notSent(),
        reference<&SyncedRecord::serverId>("server_id").inHeader().sentWhenSet().distinctText(),
        timestamp<&SyncedRecord::createdAt>("created_at").inHeader().onInsert(),
        timestamp<&SyncedRecord::updatedAt>("updated_at").inHeader(),
        timestamp<&SyncedRecord::deletedAt>("deleted_at").inHeader().sentWhenSet().elsewhere(),
    };
}

// A list of accounts reads only some of these, by name (AccountRepository).
inline constexpr auto accounts = table<Account>(
    "accounts",
    std::tuple_cat(
        std::tuple{
            key<&Account::id>(),
            text<&Account::name>("name"),
            choice<&Account::accountType, accountTypeToString, accountTypeFromString>("account_type"),
            choice<&Account::currency, currencyToString, currencyFromString>("currency"),
            text<&Account::institution>("institution"),
            text<&Account::accountNumberLast4>("account_number_last4"),
            integer<&Account::startingBalance>("starting_balance"),
            integer<&Account::sortOrder>("sort_order"),
            flag<&Account::isShared>("is_shared"),
        },
        bookkeeping()));

inline constexpr auto categories = table<Category>(
    "categories",
    std::tuple_cat(
        std::tuple{
            key<&Category::id>(),
            text<&Category::name>("name"),
            choice<&Category::categoryType, categoryTypeToString, categoryTypeFromString>("category_type"),
            reference<&Category::parentId>("parent_id"),
            flag<&Category::isTaxRelevant>("is_tax_relevant"),
            text<&Category::taxCategory>("tax_category"),
            text<&Category::icon>("icon"),
            text<&Category::color>("color"),
            flag<&Category::isDefault>("is_default"),
            reference<&Category::accountId>("account_id"),
        },
        bookkeeping()));

inline constexpr auto transactions = table<Transaction>(
    "transactions", std::tuple_cat(
                        std::tuple{
                            key<&Transaction::id>(),
                            text<&Transaction::accountId>("account_id").onInsert(),
                            date<&Transaction::date>("date"),
                            text<&Transaction::payee>("payee"),
                            text<&Transaction::memo>("memo"),
                            integer<&Transaction::amount>("amount"),
                            reference<&Transaction::categoryId>("category_id"),
                            text<&Transaction::checkNumber>("check_number"),
                            flag<&Transaction::cleared>("cleared"),
                            flag<&Transaction::reconciled>("reconciled"),
                            reference<&Transaction::transferLinkId>("transfer_link_id").distinctText(),
                            reference<&Transaction::transferDestAccountId>("transfer_dest_account_id"),
                            flag<&Transaction::isSplit>("is_split"),
                            reference<&Transaction::recurringId>("recurring_id"),
                            // Set when the row is made or by markOpening(), never by an edit.
                            flag<&Transaction::isOpening>("is_opening").onInsert().notSent(),
                        },
                        bookkeeping()));

// Split lines travel inside their transaction's payload, without their ids.
inline constexpr auto splitLines = table<SplitLine>(
    "split_lines", std::tuple{
                       key<&SplitLine::id>().notSent(),
                       text<&SplitLine::transactionId>("transaction_id").onInsert().notSent(),
                       reference<&SplitLine::categoryId>("category_id"),
                       integer<&SplitLine::amount>("amount"),
                       text<&SplitLine::memo>("memo"),
                       timestamp<&SplitLine::createdAt>("created_at").onInsert().notSent(),
                       timestamp<&SplitLine::updatedAt>("updated_at").notSent(),
                   });

// A recurring record's payload carries no version: the change around it does.
inline constexpr auto recurring = table<RecurringTransaction>(
    "recurring_transactions",
    std::tuple_cat(
        std::tuple{
            key<&RecurringTransaction::id>(),
            text<&RecurringTransaction::accountId>("account_id").onInsert(),
            text<&RecurringTransaction::payee>("payee"),
            text<&RecurringTransaction::memo>("memo"),
            integer<&RecurringTransaction::amount>("amount"),
            reference<&RecurringTransaction::categoryId>("category_id"),
            choice<&RecurringTransaction::frequency, RecurringRepository::frequencyToString,
                   RecurringRepository::frequencyFromString>("frequency"),
            date<&RecurringTransaction::startDate>("start_date"),
            date<&RecurringTransaction::endDate>("end_date").sentWhenSet(),
            date<&RecurringTransaction::nextDueDate>("next_due_date"),
            flag<&RecurringTransaction::autoPost>("auto_post"),
            flag<&RecurringTransaction::isActive>("is_active"),
            reference<&RecurringTransaction::transferDestAccountId>("transfer_dest_account_id"),
            integer<&RecurringTransaction::leadDays>("lead_days"),
            integer<&RecurringTransaction::intervalCount>("interval_count"),
            integer<&RecurringTransaction::semimonthlyDay1>("semimonthly_day_1"),
            integer<&RecurringTransaction::semimonthlyDay2>("semimonthly_day_2"),
        },
        bookkeeping(Sent::No)));

inline constexpr auto reconciliations = table<Reconciliation>(
    "reconciliations", std::tuple_cat(
                           std::tuple{
                               key<&Reconciliation::id>(),
                               text<&Reconciliation::accountId>("account_id"),
                               date<&Reconciliation::statementDate>("statement_date"),
                               integer<&Reconciliation::statementBalance>("statement_balance"),
                               integer<&Reconciliation::reconciledBalance>("reconciled_balance"),
                               timestamp<&Reconciliation::completedAt>("completed_at"),
                           },
                           bookkeeping()));

static_assert(sendable(accounts) && sendable(categories) && sendable(transactions) && sendable(splitLines) &&
              sendable(recurring) && sendable(reconciliations));

} // namespace ColumnTables
