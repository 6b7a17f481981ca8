#include "DefaultCategories.h"

#include <QUuid>

namespace DefaultCategories {

namespace {

// Fixed for ever: changing it would give every existing install new ids.
const QUuid IdNamespace(QStringLiteral("{6f1c2a7e-3b4d-5e8f-9a01-2c3d4e5f6a7b}"));

struct Child
{
    const char *name;
    const char *taxCategory; // empty when not tax-relevant
};

struct Parent
{
    const char *name;
    CategoryType type;
    const char *taxCategory;
    QList<Child> children;
};

const QList<Parent> &tree()
{
    static const QList<Parent> parents = {
        {"Income",
         CategoryType::Income,
         "",
         {{"Salary", "wages"},
          {"Bonus", "wages"},
          {"Interest Income", "interest_income"},
          {"Dividends", "dividend_income"},
          {"Business Income", "business_income"},
          {"Rental Income", "rental_income"},
          {"Refunds", ""},
          {"Gifts Received", ""},
          {"Other Income", "other_income"}}},
        {"Housing",
         CategoryType::Expense,
         "",
         {{"Rent", ""},
          {"Mortgage", ""},
          {"Mortgage Interest", "mortgage_interest"},
          {"Property Tax", "property_tax"},
          {"Home Insurance", ""},
          {"Maintenance & Repairs", ""},
          {"HOA Fees", ""}}},
        {"Utilities",
         CategoryType::Expense,
         "",
         {{"Electricity", ""},
          {"Gas & Heating", ""},
          {"Water & Sewer", ""},
          {"Internet", ""},
          {"Phone", ""},
          {"Trash", ""}}},
        {"Food", CategoryType::Expense, "", {{"Groceries", ""}, {"Restaurants", ""}, {"Coffee", ""}}},
        {"Transportation",
         CategoryType::Expense,
         "",
         {{"Fuel", ""},
          {"Public Transit", ""},
          {"Parking & Tolls", ""},
          {"Auto Insurance", ""},
          {"Auto Maintenance", ""},
          {"Auto Loan", ""},
          {"Registration & Fees", ""}}},
        {"Health",
         CategoryType::Expense,
         "",
         {{"Doctor", "medical_expenses"},
          {"Dentist", "medical_expenses"},
          {"Vision", "medical_expenses"},
          {"Pharmacy", "medical_expenses"},
          {"Health Insurance", "medical_insurance"},
          {"Fitness", ""}}},
        {"Insurance", CategoryType::Expense, "", {{"Life Insurance", ""}, {"Disability Insurance", ""}}},
        {"Personal",
         CategoryType::Expense,
         "",
         {{"Clothing", ""}, {"Personal Care", ""}, {"Subscriptions", ""}}},
        {"Household",
         CategoryType::Expense,
         "",
         {{"Supplies", ""}, {"Furnishings", ""}, {"Electronics", ""}}},
        {"Entertainment",
         CategoryType::Expense,
         "",
         {{"Movies & Events", ""}, {"Streaming", ""}, {"Hobbies", ""}, {"Books", ""}}},
        {"Travel", CategoryType::Expense, "", {{"Lodging", ""}, {"Airfare", ""}, {"Car Rental", ""}}},
        {"Education",
         CategoryType::Expense,
         "",
         {{"Tuition", "education_expenses"},
          {"School Supplies", ""},
          {"Student Loan Interest", "student_loan_interest"}}},
        {"Children",
         CategoryType::Expense,
         "",
         {{"Childcare", "child_care"}, {"Activities", ""}, {"Allowance", ""}}},
        {"Pets", CategoryType::Expense, "", {{"Pet Food", ""}, {"Veterinary", ""}}},
        {"Gifts & Donations",
         CategoryType::Expense,
         "",
         {{"Charitable Donations", "charitable_contributions"}, {"Gifts Given", ""}}},
        {"Taxes",
         CategoryType::Expense,
         "",
         {{"Federal Income Tax", "federal_income_tax"},
          {"State Income Tax", "state_income_tax"},
          {"Local Tax", "local_tax"},
          {"Sales Tax", "sales_tax"}}},
        {"Financial",
         CategoryType::Expense,
         "",
         {{"Bank Fees", ""},
          {"Interest Paid", ""},
          {"Investment Fees", "investment_expenses"},
          {"Tax Preparation", "tax_preparation"}}},
        {"Business",
         CategoryType::Expense,
         "business_expenses",
         {{"Office Supplies", "business_expenses"},
          {"Business Travel", "business_expenses"},
          {"Professional Services", "business_expenses"}}},
        {"Miscellaneous", CategoryType::Expense, "", {}},
        {"Transfers",
         CategoryType::Transfer,
         "",
         {{"Account Transfer", ""}, {"Credit Card Payment", ""}, {"Savings", ""}, {"Investments", ""}}},
    };
    return parents;
}

Category makeCategory(const QString &path, const QString &name, CategoryType type, const QString &parentId,
                      const QString &taxCategory, const QDateTime &now)
{
    Category category;
    category.id = idForPath(path);
    category.name = name;
    category.categoryType = type;
    category.parentId = parentId;
    category.isTaxRelevant = !taxCategory.isEmpty();
    category.taxCategory = taxCategory;
    category.isDefault = true;
    category.createdAt = now;
    category.updatedAt = now;
    return category;
}

} // namespace

QString idForPath(const QString &path)
{
    return QUuid::createUuidV5(IdNamespace, path).toString(QUuid::WithoutBraces);
}

QList<Category> build(const QDateTime &now)
{
    QList<Category> parents;
    QList<Category> children;
    for (const Parent &parent : tree()) {
        const QString parentName = QString::fromUtf8(parent.name);
        const Category top = makeCategory(parentName, parentName, parent.type, QString(),
                                          QString::fromLatin1(parent.taxCategory), now);
        parents.append(top);
        for (const Child &child : parent.children) {
            const QString name = QString::fromUtf8(child.name);
            children.append(makeCategory(parentName + QLatin1Char('/') + name, name, parent.type, top.id,
                                         QString::fromLatin1(child.taxCategory), now));
        }
    }
    return parents + children;
}

} // namespace DefaultCategories
