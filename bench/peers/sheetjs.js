// Converts a primer list with SheetJS (the npm package "xlsx", installed into
// bench/node_modules by bench/setup.sh): reads IN and writes OUT, the format
// chosen by OUT's extension (.tsv is written as tab-separated text).
//   node sheetjs.js IN OUT
const path = require("path");
const XLSX = require(path.join(__dirname, "..", "node_modules", "xlsx"));

const [input, output] = process.argv.slice(2);
const workbook = XLSX.readFile(input, { dense: true, raw: true });
if (output.endsWith(".tsv")) {
  XLSX.writeFile(workbook, output, { bookType: "csv", FS: "\t" });
} else {
  XLSX.writeFile(workbook, output, { compression: true });
}
