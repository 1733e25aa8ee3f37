#include "storage/TMlbc.h"

#include "storage/TMlb2.h"

namespace zv {

TMlbc::TMlbc() : engine_(std::make_unique<TMlb2>()) {}
TMlbc::~TMlbc() = default;

std::string TMlbc::CSVSeparator() const {
    return engine_->Separator();
}
void TMlbc::SetCSVSeparator(std::string_view separator) {
    engine_->SetSeparator(separator);
}
bool TMlbc::Distinct() const {
    return engine_->Distinct();
}
void TMlbc::SetDistinct(bool distinct) {
    engine_->SetDistinct(distinct);
}
std::string TMlbc::QuoteSeparator() const {
    return engine_->Quote();
}
void TMlbc::SetQuoteSeparator(std::string_view quote) {
    engine_->SetQuote(quote);
}
bool TMlbc::BeginningOfFile() const {
    return engine_->BeginningOfFile();
}
void TMlbc::SetBeginningOfFile(bool value) {
    engine_->SetBeginningOfFile(value);
}
bool TMlbc::EndOfFile() const {
    return engine_->EndOfFile();
}
void TMlbc::SetEndOfFile(bool value) {
    engine_->SetEndOfFile(value);
}
const std::string& TMlbc::FileName() const {
    return fileName_;
}

void TMlbc::SetFileName(const std::string& path) {
    if (!path.empty()) {
        engine_->LoadFromFile(path);
    }
    fileName_ = path;
}

void TMlbc::ClearRows() {
    engine_->ClearRows();
}
bool TMlbc::AddField(std::string_view name) {
    return engine_->AddField(name);
}
std::string TMlbc::FieldName(int position) const {
    return engine_->FieldName(position);
}
int TMlbc::FieldCount() const {
    return engine_->FieldCount();
}
bool TMlbc::AppendRow() {
    return engine_->AppendRow();
}
bool TMlbc::DeleteRow() {
    return engine_->DeleteRow();
}
bool TMlbc::CopyRow() {
    return engine_->CopyRow();
}
bool TMlbc::PasteRow() {
    return engine_->PasteRow();
}
int TMlbc::RowCount() const {
    return engine_->RowCount();
}
int TMlbc::CurrentRow() const {
    return engine_->CurrentRow();
}
bool TMlbc::GoToRow(int row) {
    return engine_->GoToRow(row);
}
bool TMlbc::First() {
    return engine_->First();
}
bool TMlbc::Last() {
    return engine_->Last();
}
bool TMlbc::Next() {
    return engine_->Next();
}
bool TMlbc::Prior() {
    return engine_->Prior();
}

std::string TMlbc::GetData(std::string_view fieldName) const {
    return engine_->GetData(fieldName);
}

bool TMlbc::SetData(std::string_view fieldName, std::string_view text) {
    return engine_->SetData(fieldName, text);
}

bool TMlbc::SetFloat(std::string_view fieldName, double value) {
    return engine_->SetFloat(fieldName, value);
}

int TMlbc::FieldIndex(std::string_view fieldName) const {
    return engine_->FieldIndex(fieldName);
}
bool TMlbc::LoadFromFile(const std::string& path) {
    return engine_->LoadFromFile(path);
}
bool TMlbc::SaveToFile(const std::string& path) {
    return engine_->SaveToFile(path);
}

std::string_view TMlbc::Cell(int row, int fieldPosition) const {
    return engine_->Cell(row, fieldPosition);
}

const TMlb2DistinctColumn& TMlbc::DistinctColumn(int fieldPosition) const {
    return engine_->DistinctColumn(fieldPosition);
}

const std::string& TMlbc::LastFailure() const {
    return engine_->LastFailure();
}

TMlb2& TMlbc::Engine() {
    return *engine_;
}
const TMlb2& TMlbc::Engine() const {
    return *engine_;
}

} // namespace zv
