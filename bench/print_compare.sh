#!/usr/bin/env bash
# The program's print of a 100- and a 200-question bank to PDF beside two other ways of setting
# the same kind of pages: pdflatex on a LaTeX file and LibreOffice (soffice --headless
# --convert-to pdf) on an HTML file, both of as many questions with four choices each; then an
# exam's four scrambled forms and their keys (bench_exam_print) beside pdflatex setting four
# forms and four keys. Prints seconds and pages side by side.
# Usage: bench/print_compare.sh [folder of bench_print and bench_exam_print]
#        (default: built in build/bench)
set -euo pipefail
cd "$(dirname "$0")/.."

need=()
command -v pdflatex >/dev/null 2>&1 || need+=(texlive-latex-base)
command -v pdfinfo >/dev/null 2>&1 || need+=(poppler-utils)
if [ ${#need[@]} -gt 0 ]; then
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo -n)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${need[@]}" >/dev/null
fi

dir=${1:-}
if [ -z "$dir" ]; then
  scripts/setup.sh build/bench -DCMAKE_BUILD_TYPE=Release -DCORRA_SANITIZE=OFF -DCORRA_TESTS=OFF -DCORRA_BENCH=ON \
    >/dev/null
  dir=$PWD/build/bench
fi
dir=$(cd "$dir" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

seconds() { # command...: the seconds it took
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l | xargs printf '%.3f'
}
pages() { pdfinfo "$1" 2>/dev/null | sed -n 's/^Pages: *//p'; }

question() { # n: the text of question n
  echo "Which of the following statements about photosynthesis is correct when light intensity increases beyond the saturation point and carbon dioxide remains constant (question $1)?"
}

make_latex() { # n file [keys]
  {
    echo '\documentclass[11pt]{article}'
    echo '\usepackage[letterpaper,margin=0.5in,includeheadfoot]{geometry}'
    echo '\usepackage{fancyhdr}\pagestyle{fancy}\fancyhf{}'
    echo '\lhead{Biology 101\\Midterm}\lfoot{bank.crr}\cfoot{Page \thepage}'
    echo '\begin{document}'
    echo 'Answer every question. Choose the one best answer.\par\medskip\hrule\medskip'
    echo '\begin{enumerate}'
    for i in $(seq 1 "$1"); do
      if [ -n "${3:-}" ]; then
        letters=(a b c d)
        echo "\\item ${letters[$((i % 4))]}"
      else
        echo "\\item $(question "$i")"
        echo '\begin{enumerate}\item one \item two \item three \item four\end{enumerate}'
      fi
    done
    echo '\end{enumerate}\end{document}'
  } >"$2"
}

make_html() { # n file
  {
    echo '<html><body><h3>Biology 101</h3><p>Midterm</p><p>Answer every question.</p><hr><ol>'
    for i in $(seq 1 "$1"); do
      echo "<li>$(question "$i")<ol type=a><li>one</li><li>two</li><li>three</li><li>four</li></ol></li>"
    done
    echo '</ol></body></html>'
  } >"$2"
}

printf '%-10s %22s %22s %22s\n' questions "Quorvale (s, pages)" "pdflatex (s, pages)" "soffice (s, pages)"
for n in 100 200; do
  (cd "$work" && "$dir/bench_print" "$n" >"ours-$n.txt" 2>/dev/null)
  ours_ms=$(sed -n 's/.*print to PDF \([0-9.]*\) ms.*/\1/p' "$work/ours-$n.txt")
  ours_s=$(echo "$ours_ms / 1000" | bc -l | xargs printf '%.3f')
  ours_pages=$(pages "$work/print-$n.pdf")

  make_latex "$n" "$work/q$n.tex"
  latex_s=$(seconds sh -c "cd '$work' && pdflatex -interaction=batchmode q$n.tex")
  latex_pages=$(pages "$work/q$n.pdf")

  make_html "$n" "$work/h$n.html"
  office_s=$(seconds soffice --headless --convert-to pdf --outdir "$work" "$work/h$n.html")
  office_pages=$(pages "$work/h$n.pdf")

  printf '%-10s %15s, %4s %15s, %4s %15s, %4s\n' "$n" "$ours_s" "$ours_pages" "$latex_s" "${latex_pages:-?}" \
    "$office_s" "${office_pages:-?}"
done

# An exam of 100 questions: four forms and their four keys.
(cd "$work" && "$dir/bench_exam_print" 100 >exam.txt 2>/dev/null)
exam_ms=$(sed -n 's/.*in all \([0-9.]*\) ms.*/\1/p' "$work/exam.txt")
exam_s=$(echo "$exam_ms / 1000" | bc -l | xargs printf '%.3f')
exam_pages=$(( $(pages "$work/exam-100.pdf") + $(pages "$work/keys-100.pdf") ))
for f in a b c d; do
  make_latex 100 "$work/form-$f.tex"
  make_latex 100 "$work/key-$f.tex" keys
done
latex_s=$(seconds sh -c "cd '$work' && for t in form-?.tex key-?.tex; do pdflatex -interaction=batchmode \$t; done")
latex_pages=0
for p in "$work"/form-?.pdf "$work"/key-?.pdf; do latex_pages=$((latex_pages + $(pages "$p"))); done
printf '%-10s %15s, %4s %15s, %4s\n' "exam 4+4" "$exam_s" "$exam_pages" "$latex_s" "$latex_pages"
