// Reads an ADIF file with adif-parser-ts and prints what it made of it as JSON.
const fs = require('fs');
const { AdifParser } = require('adif-parser-ts');
const text = fs.readFileSync(process.argv[2], 'latin1');
process.stdout.write(JSON.stringify(AdifParser.parseAdi(text)));
