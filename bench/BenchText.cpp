#include "bench/BenchText.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "pattern/Utf.h"

namespace lexipulse {

namespace {

// The vocabulary in rank order: the most frequent words first, so that a Zipf-like draw over
// the ranks gives text with the mix of short and long words of ordinary prose.
constexpr std::string_view kVocabulary[] = {
    "the of and to a in that is was he for it with as his on be at by I this had not are but ",
    "from or have an they which one you were her all she there would their we him been has when ",
    "who will more no if out so said what up its about into than them can only other new some ",
    "could time these two may then do first any my now such like our over man me even most made ",
    "after also did many before must through back years where much your way well down should ",
    "because each just those people mr how too little state good very make world still own see ",
    "men work long get here between both life being under never day same another know while ",
    "last might us great old year off come since against go came right used take three ",
    "government public business company market country city family group party president ",
    "minister police report money house school system program question number night point home ",
    "water room mother area national development court policy office health side hand service ",
    "power law economy war history council community industry information member student parent ",
    "child children village region nation population agreement election campaign official ",
    "committee director secretary spokesman spokeswoman correspondent newspaper magazine ",
    "television radio website journalist editor article interview statement announcement ",
    "decision discussion conversation negotiation conference meeting session parliament senate ",
    "congress assembly legislation regulation constitution amendment referendum democracy ",
    "republic monarchy kingdom empire territory province county district municipality ",
    "neighbourhood neighborhood suburb capital develop developed developing photograph ",
    "photographer photographic photography telephone telegraph biography geography geology ",
    "biology ecology economic economical economist astronomy astronomer astronomical philosophy ",
    "philosopher philosophical psychology psychologist psychological sociology sociologist ",
    "anthropology archaeology technology technical technique technician mechanic mechanical ",
    "mechanism engineer engineering architecture architect architectural absolute absolutely ",
    "academic academy accept acceptable acceptance access accessible accident accidental ",
    "accompany accomplish according account accountant accurate accuracy accuse achieve ",
    "achievement acknowledge acquire acquisition across action active activity actor actress ",
    "actual actually adapt addition additional address adequate adjust administration ",
    "administrative admire admission admit adopt adult advance advanced advantage adventure ",
    "advertise advertisement advice advise adviser affair affect afford affordable afraid ",
    "afternoon agency agenda aggressive agriculture agricultural ahead aircraft airline airport ",
    "alarm album alcohol alive allegation allege alliance allow almost alone along already ",
    "alternative although altogether always amazing ambassador ambition ambitious among amount ",
    "analysis analyse analyst ancient anger angle angry animal anniversary announce annual ",
    "answer anxiety anxious anybody anyway apart apartment apparent apparently appeal appear ",
    "appearance appetite application apply appoint appointment appreciate approach appropriate ",
    "approval approve approximately argue argument arise armed army around arrange arrangement ",
    "arrest arrival arrive artist artistic aside asleep aspect assault assess assessment asset ",
    "assign assist assistance assistant associate association assume assumption atmosphere ",
    "attach attack attempt attend attention attitude attorney attract attraction attractive ",
    "audience author authority automatic autumn available average avoid award aware awareness ",
    "awful background balance ballot banana bankrupt banner barrier basic basically basis ",
    "basket battery battle beautiful beauty become bedroom beginning behaviour behavior behind ",
    "belief believe belong below beneath benefit beside besides better beyond bicycle billion ",
    "biological birthday bitter blanket blood board boundary brain branch brave bread break ",
    "breakfast breath breathe bridge brief briefly bright brilliant bring broad broadcast ",
    "brother budget build building bureau burden burst butter button buyer cabinet calculate ",
    "calculation calendar camera canal cancel cancer candidate capable capacity captain capture ",
    "carbon career careful carefully carpet carry casual catalogue category cathedral cattle ",
    "caution celebrate celebration cellar central centre century ceremony certain certainly ",
    "certificate chairman challenge chamber champion championship chance change channel chapter ",
    "character characteristic charge charity charming chemical chemistry chicken chief ",
    "chocolate choice choose church cigarette cinema circle circumstance citizen civilian claim ",
    "classic classical classified classroom clean clear clearly client climate climb clinic ",
    "closely clothes cloud coalition coast colleague collect collection collective college ",
    "colonial colony colour column combination combine comedy comfort comfortable command ",
    "commander comment commentator commerce commercial commission commit commitment common ",
    "commonly communicate communication companion comparable compare comparison compete ",
    "competition competitive competitor complain complaint complete completely complex ",
    "complicated component compose composer computer concentrate concentration concept concern ",
    "concerned concert conclude conclusion concrete condition conduct confidence confident ",
    "confirm conflict confront confusion congratulate connect connection conscious ",
    "consciousness consensus consent consequence conservative consider considerable ",
    "consideration consist consistent constant constantly construct construction consultant ",
    "consultation consume consumer consumption contact contain container contemporary content ",
    "contest context continent continue continuous contract contrast contribute contribution ",
    "control controversial controversy convention conventional convert convince cooperation ",
    "coordinate corner corporate corporation correct correspond corridor corruption costume ",
    "cottage cotton counsel counter countryside couple courage course cousin cover create ",
    "creation creative creature credit crime criminal crisis criterion critic critical ",
    "criticise criticism criticize crowd crucial culture cultural currency current currently ",
    "curtain custom customer cycle damage danger dangerous daughter deadline dealer debate ",
    "decade decent decide declare decline decorate decrease dedicate defeat defence defend ",
    "defendant deficit define definite definitely definition degree delay delegate delegation ",
    "deliberate delicate deliver delivery demand democratic demonstrate demonstration denial ",
    "department departure depend dependent deposit depression deputy derive describe ",
    "description desert deserve design designer desire desperate despite destination destroy ",
    "destruction detail detailed detect detective determine device devote dialogue diamond ",
    "diary dictionary difference different difficult difficulty digital dignity dimension ",
    "dinner diplomat diplomatic direct direction directly disappear disappoint disaster ",
    "discipline discount discover discovery discrimination disease dismiss disorder display ",
    "dispute distance distant distinct distinction distinguish distribute distribution disturb ",
    "diverse divide division divorce doctor document domestic dominant dominate double doubt ",
    "dozen draft drama dramatic dramatically drawing dream dress drink driver during duty ",
    "dynamic eager early earnings earth easily eastern edition education educational effect ",
    "effective effectively efficiency efficient effort eighteen either elderly elect electric ",
    "electrical electricity electronic element elephant elegant elevator eleven eliminate ",
    "elsewhere embassy emerge emergency emotion emotional emphasis emphasise employ employee ",
    "employer employment empty enable encounter encourage encouragement enemy energy enforce ",
    "engage engagement engine enhance enjoy enormous enough ensure enterprise entertain ",
    "entertainment enthusiasm entire entirely entrance entry envelope environment environmental ",
    "episode equal equally equipment equivalent error escape especially essay essential ",
    "essentially establish establishment estate estimate ethnic evaluate evaluation evening ",
    "event eventually every everybody everyday everyone everything everywhere evidence evident ",
    "evolution exact exactly examination examine example excellent except exception exchange ",
    "excite excitement exciting exclude exclusive excuse executive exercise exhibition exist ",
    "existence existing expand expansion expect expectation expedition expense expensive ",
    "experience experiment experimental expert explain explanation explode exploit explore ",
    "explosion export expose exposure express expression extend extension extensive extent ",
    "external extra extraordinary extreme extremely facility factor factory faculty failure ",
    "fairly faith familiar famous fantastic fashion fashionable fatal father favour favourite ",
    "feature federal feeling fellow female festival fiction field fifteen fifty fight figure ",
    "final finally finance financial finger finish flight float flood floor flower focus follow ",
    "following football force foreign forest forever forget forgive formal formation former ",
    "formula fortune forward foundation founder fraction frame framework freedom frequency ",
    "frequent frequently fresh friend friendly friendship frighten front frontier fruit ",
    "frustration fuel function fundamental funding funeral furniture further furthermore future ",
    "galaxy gallery garage garden gather general generally generate generation generous gentle ",
    "gentleman genuine gesture giant glass global golden govern governor gradual gradually ",
    "graduate grain grand grandfather grandmother grant grateful greatly green ground growth ",
    "guarantee guard guess guest guidance guide guilty guitar habit handle happen happily ",
    "happiness happy harbour hardly harmony harvest headline headquarters healthy hearing heart ",
    "heaven heavily heavy height helicopter helpful heritage hero herself hesitate hidden ",
    "highlight highly highway himself historian historic historical holiday hollow honest ",
    "honour horizon horrible horror horse hospital hostile hotel household housing however huge ",
    "human humour hundred hungry hunter husband hypothesis ideal identical identify identity ",
    "ignore illegal illness illustrate image imagination imagine immediate immediately ",
    "immigrant immigration impact implement implication imply import importance important ",
    "impose impossible impress impression impressive improve improvement incident include ",
    "including income increase increasingly incredible indeed independence independent index ",
    "indicate indication individual industrial inevitable inevitably infant infection inflation ",
    "influence inform informal ingredient inhabitant initial initially initiative injure injury ",
    "innocent innovation inquiry insect inside insist inspection inspector inspire install ",
    "instance instant instead institute institution instruction instrument insurance ",
    "intellectual intelligence intelligent intend intense intention interest interested ",
    "interesting interior internal international internet interpret interpretation interrupt ",
    "interval intervention introduce introduction invasion invent invention invest investigate ",
    "investigation investment investor invitation invite involve involvement island isolate ",
    "issue itself jacket jewellery journal journey judge judgement juice junior jury justice ",
    "justify keyboard kitchen knowledge laboratory labour landscape language large largely ",
    "laughter launch lawyer layer leader leadership league learning leather leave lecture legal ",
    "legend legitimate leisure length lesson letter level liberal library licence lifestyle ",
    "lighting likely limit limited literally literary literature living local locate location ",
    "logical lonely loose lorry lovely lower loyal loyalty luxury machine machinery magic ",
    "magnificent maintain maintenance major majority manage management manager manner ",
    "manufacture manufacturer margin marine marketing marriage married master match material ",
    "mathematics matter maximum mayor meaning meanwhile measure measurement media medical ",
    "medicine medium membership memory mental mention merchant mercy merely message metal ",
    "method middle midnight migration military million mineral minimum ministry minority minute ",
    "miracle mirror missile mission mistake mixture mobile model moderate modern modest moment ",
    "monitor monopoly month monument moral morning mortgage mostly motion motivate motive motor ",
    "mountain movement multiple municipal murder muscle museum musical musician mutual mystery ",
    "naked narrative narrow native natural naturally nature nearby nearly necessarily necessary ",
    "neighbour neither nephew nervous network neutral nevertheless newly nobody noise normal ",
    "normally northern notable nothing notice notion novel nowhere nuclear numerous nurse ",
    "object objection objective obligation observation observe obtain obvious obviously ",
    "occasion occasional occupation occupy occur ocean offence offend offensive offer officer ",
    "often operate operation operator opinion opponent opportunity oppose opposite opposition ",
    "option orange orchestra order ordinary organ organic organisation organise organization ",
    "organize origin original originally otherwise ought ourselves outcome outline output ",
    "outside outstanding overall overcome overseas owner ownership oxygen package painful ",
    "painting palace panel paper parallel partial participant participate particular ",
    "particularly partly partner partnership passage passenger passion passive patient pattern ",
    "payment peace peaceful penalty pension pepper percentage perception perfect perfectly ",
    "perform performance perhaps period permanent permission permit person personal personality ",
    "personally perspective persuade phase phenomenon physical physically physician physicist ",
    "physics piano picture piece pilot pioneer planet planning plant plastic platform player ",
    "pleasant pleasure plenty pocket poetry poison polish political politician politics ",
    "pollution popular popularity portion portrait position positive possess possession ",
    "possibility possible possibly potato potential poverty powerful practical practice ",
    "practise praise prayer precise precisely predict prediction prefer preference pregnant ",
    "premier premise preparation prepare presence present presentation preserve presidential ",
    "press pressure presumably pretend pretty prevent previous previously price pride priest ",
    "primarily primary prime prince princess principal principle print prior priority prison ",
    "prisoner privacy private privilege prize probably problem procedure proceed process ",
    "produce producer product production profession professional professor profile profit ",
    "profound programme progress project prominent promise promote promotion prompt proof ",
    "proper properly property proportion proposal propose prosecution prospect protect ",
    "protection protein protest proud prove provide provision publication publicity publish ",
    "publisher purchase purpose pursue qualification qualify quality quantity quarter quickly ",
    "quiet quietly quite quota quote racial radical railway rainbow random range rapid rapidly ",
    "rarely rather rating rational reach reaction reader readily reading ready reality realise ",
    "realistic really reason reasonable rebel recall receipt receive recent recently reception ",
    "recession recipe recognise recognition recognize recommend recommendation record recording ",
    "recover recovery recruit reduce reduction refer reference reflect reflection reform ",
    "refugee refuse regard regardless regime regional register regular regularly reject relate ",
    "relation relationship relative relatively release relevant reliable relief religion ",
    "religious reluctant remain remaining remarkable remember remind remote removal remove ",
    "repeat replace replacement reply reporter represent representation representative ",
    "reputation request require requirement rescue research researcher resemble reservation ",
    "reserve resident resign resignation resist resistance resolution resolve resort resource ",
    "respect respond response responsibility responsible restaurant restore restrict ",
    "restriction result retain retire retirement return reveal revenue reverse review ",
    "revolution revolutionary reward rhythm ribbon rider rigid river romantic rough roughly ",
    "round route routine royal rubber rural sacred safety salary sample sanction satellite ",
    "satisfaction satisfy sauce saving scale scandal scenario scene schedule scheme scholar ",
    "scholarship science scientific scientist score screen script sculpture search season ",
    "second secondary secret section sector secure security seize select selection senior ",
    "sensation sense sensible sensitive sentence separate sequence series serious seriously ",
    "servant serve setting settle settlement several severe shadow shallow shape share shelter ",
    "shift shock shoulder signal significance significant significantly silence silent silver ",
    "similar similarly simple simply simultaneously sincere singer single sister situation ",
    "skill slight slightly smile smoke social society software soldier solicitor solid solution ",
    "somebody somehow someone something sometimes somewhat somewhere sophisticated sorry source ",
    "southern sovereign space speaker special specialist species specific specifically ",
    "spectacular speech speed spending spirit spiritual splendid sponsor sport spread spring ",
    "square stability stable staff stage standard standing station statistics status steady ",
    "steel stimulate stock stomach storage store storm story straight strange stranger ",
    "strategic strategy stream street strength strengthen stress stretch strict strike striking ",
    "string strong strongly structure struggle studio study stupid style subject submit ",
    "subsequent subsequently substance substantial succeed success successful successfully ",
    "sudden suddenly suffer sufficient sugar suggest suggestion suitable summer summit superb ",
    "superior supermarket supply support supporter suppose supreme surely surface surgeon ",
    "surgery surplus surprise surprised surprising surround surrounding survey survival survive ",
    "suspect suspend suspicion sustain symbol sympathy symptom table tactic talent target taste ",
    "teacher teaching temperature temple temporary tendency tension terminal terrible terror ",
    "terrorist testimony textile theatre theme themselves theory therapy therefore thick ",
    "thinking thirty thorough thoroughly though thought thousand threat threaten throat ",
    "throughout ticket tight timber tissue title tobacco today together tomorrow tonight ",
    "totally touch tough tourism tourist towards tower trade tradition traditional traffic ",
    "tragedy trail training transaction transfer transform transformation transition translate ",
    "translation transport transportation travel treasure treasury treatment treaty tremendous ",
    "trend trial triumph troop tropical trouble truly trust truth tunnel twelve twenty typical ",
    "typically ultimate ultimately umbrella unable uncertain uncertainty uncle undergo ",
    "understand understanding undertake unemployed unemployment unexpected unfortunately ",
    "uniform union unique united unity universal universe university unknown unless unlike ",
    "unlikely unusual update upper upset urban urgent useful usual usually utility vacation ",
    "valley valuable value variable variation variety various vegetable vehicle venture version ",
    "versus vessel veteran victim victory video viewer violence violent virtually virtue ",
    "visible vision visitor visual vital voice volume voluntary volunteer voter voyage wander ",
    "warning wealth weapon weather wedding weekend weekly weight welcome welfare western ",
    "whatever wheel whenever whereas wherever whether whisper whole widely widespread ",
    "wilderness willing window winner winter wisdom withdraw within without witness woman ",
    "wonder wonderful wooden worker workshop worldwide worried worry worse worth writer writing ",
    "written yellow yesterday yield young youngster yourself youth zone Cameroon kangaroo ",
    "Senegalese Congolese Japanese Chinese Portuguese Vietnamese Bulgarian Romanian Hungarian ",
    "Norwegian Scottish Irish Spanish Swedish Finnish Turkish Danish British American Canadian ",
    "Australian European African Asian Italian German French Russian Brazilian Mexican Egyptian ",
    "Indian Pakistani Nigerian Kenyan Argentinian Chilean Peruvian Colombian Venezuelan Cuban ",
    "London Paris Berlin Madrid Rome Vienna Prague Warsaw Budapest Athens Lisbon Dublin ",
    "Edinburgh Brussels Amsterdam Geneva Stockholm Oslo Helsinki Copenhagen Moscow Istanbul ",
    "Cairo Nairobi Lagos Johannesburg Tokyo Beijing Shanghai Delhi Mumbai Sydney Melbourne ",
    "Toronto Montreal Chicago Boston Washington Atlanta Houston Denver Seattle Francisco ",
    "Angeles January February March April June July August September October November December ",
    "Monday Tuesday Wednesday Thursday Friday Saturday Sunday senator confiscate psittacosis ",
    "otitis absentee refereed terrestrial ferocious hibiscus referee mountaineer trainee ",
    "nominee evacuee retiree photographical democrat diplomacy telegraphy telegraphic ",
    "harmonious harmonic energetic industrious analytical categorical ceremonial comedian ",
    "competent competence composition composite courageous customary deliberation delicacy ",
    "democratise fantasy geographic geographical hypothetical legislative legislature melody ",
    "melodious memorable memorial mysterious necessity nostalgia nostalgic optimism optimistic ",
    "optimist paradox paradoxical parliamentary patriotic patriotism periphery peripheral ",
    "phenomenal politic preferential prejudice presidency proverb proverbial psychiatry ",
    "psychiatric punctual punctuality reluctance rhetoric rhetorical satire satirical ",
    "solidarity solitary symmetry symmetrical sympathetic synonym synonymous territorial ",
    "theatrical theology theological tranquil tranquillity tyranny tyrannical vigilance ",
    "vigilant volcano volcanic abandon abandoned abolish abroad abrupt absence absorb abstract ",
    "absurd abundant abuse accelerate accessory accommodate accommodation accumulate accusation ",
    "acid acquaintance activist acute addict adjacent adjustment admiration adolescent advocate ",
    "aesthetic affection affinity aftermath aggregate agony agreeable alien alignment ",
    "allegiance allocate allocation ally alter amateur ambiguous amend amusement analogy ",
    "ancestor anchor anonymous antique apology applause appliance appraisal apprentice ",
    "arbitrary archive arena arithmetic armour arrogant artery articulate artificial ascend ",
    "assassination assemble assert assurance astonish asylum athlete atom attendance auction ",
    "audit authentic autonomy avenue aviation bachelor bacteria badge ballet bamboo bandage ",
    "banquet barely bargain barrel basement battlefield beacon behalf beloved benchmark ",
    "beverage bias bishop blade blossom boulevard bounce boycott bracket breakthrough brigade ",
    "brochure brutal bubble bucket bulletin bullet bureaucracy bureaucratic calcium calm canvas ",
    "capsule caravan carnival cartoon cascade casino castle casualty catastrophe cavalry ",
    "celebrity cemetery census ceramic chaos chaotic charter chronic chronicle circulation ",
    "circus civic civilisation clarify clarity clause clergy cluster coherent coincidence ",
    "collapse collision comet commemorate commentary commodity compact compass compassion ",
    "compensate compensation compile complement compliance comply comprehensive compromise ",
    "compulsory conceal conceive concession condemn confer confess confession configuration ",
    "confine confirmation conform congregation conquer conquest conscience consecutive ",
    "conservation consolidate conspiracy constituency constituent constitute consulate ",
    "contaminate contemplate contempt contend continental contingent contradict contradiction ",
    "controller convenience convenient converse conviction coral cordial corporal ",
    "correspondence corrupt cosmetic counterpart coupon courtyard covenant crater credible ",
    "creditor crew cricket crystal cuisine cultivate curator curiosity curious cylinder dairy ",
    "debris decisive declaration decorative dedication default deficiency delight demolish ",
    "demolition denounce density depict deploy deportation depot descend descendant designate ",
    "detention deteriorate devastate deviation devil diagnose diagnosis diagram dialect ",
    "diameter dictate dictator diesel differential diligent dilemma diminish dinosaur diploma ",
    "disability disagree disagreement disarmament discard discharge disclose disclosure ",
    "discourse discreet disguise disgust dismissal dispatch disperse displace disposal dissolve ",
    "distort distress diversity dividend doctrine documentary dolphin donation donor dormitory ",
    "dosage drainage dwelling eclipse ecological editorial elaborate electorate eligible ",
    "eloquent embargo embark embrace embroidery emission empathy encyclopedia endanger endorse ",
    "endurance enlighten enrol enrolment entitle entrepreneur epidemic equation equator erosion ",
    "erupt escalate espionage essence eternal ethical evacuate evaporate exaggerate excavation ",
    "exceed excess excessive exclusion execute execution exempt exhaust exhausted exile ",
    "expenditure expire explicit exquisite extinct extinction extract eyebrow fabric facilitate ",
    "faithful fallacy famine fascinate fatigue feasible federation feminine fertile fertiliser ",
    "festive fidelity filter fiscal flagship flexible flourish fluctuate fluent fluid folklore ",
    "forecast forensic formidable formulate fortress forum fossil fracture fragile fragment ",
    "franchise fraud fugitive fulfil furious gadget gallon gamble garment gasoline gauge ",
    "gazette generic genetic genius genocide geometry glacier glimpse gorgeous gospel gossip ",
    "gourmet graceful gravity grief grocery guardian guerrilla habitat hallmark hamper handicap ",
    "harassment hardware hazard hectare hemisphere herald herb hereditary heroic hierarchy ",
    "hindrance homeland horizontal hospitality hostage humanitarian humble humid hurricane ",
    "hydrogen hygiene iceberg icon ideology idiom ignorance illuminate illusion imitate immense ",
    "immune impartial imperial implicit imprison impulse inaugural incentive incline ",
    "incorporate indicator indifferent indigenous indispensable induce indulge inequality ",
    "infinite inflict infrastructure inherent inherit inhibit inject injustice inland innate ",
    "inspiration instability instinct insult integral integrate integrity intensive interact ",
    "interactive intercept interfere intermediate interpreter intimate intricate intrinsic ",
    "intuition invaluable inventory irony irrigation isolation itinerary jeopardy jubilee ",
    "judicial jurisdiction juvenile kidnap kilogram kilometre landmark landslide latitude ",
    "lavender legacy lenient liability liberation lieutenant likelihood limestone linear liquid ",
    "literacy litigation livestock lobby longitude lottery lucrative lunar magnitude mainland ",
    "mainstream majestic mandate manifest manifesto manipulate mansion manuscript marathon ",
    "marginal maritime martial massacre masterpiece maternal maturity meadow mediate mediator ",
    "medieval meditation memoir menace merger metaphor meteorite metropolitan microscope ",
    "migrant milestone militant millennium miniature mischief missionary molecule momentum ",
    "monarch monastery morale mortality mosaic mosque motorway multitude mural mutiny myth ",
    "namely narcotic naval navigate negligence negotiate nightmare nominal nominate nonetheless ",
    "notorious nourish novelist nuisance nutrition oath obesity obscure observatory obsession ",
    "obstacle offspring offshore omission ongoing opera oppression optical oracle orbit ordeal ",
    "orientation ornament orphan outbreak outlook outrage overlook oversee overthrow overwhelm ",
    "pact pamphlet pandemic parade paralyse parameter paramount parish partisan patent paternal ",
    "patrol pavement peasant pedestrian peninsula perceive perennial perimeter perpetual ",
    "persecution persist petition petroleum pharmacy pilgrim pinnacle plague plateau plausible ",
    "plea pledge plunge pneumonia polar poll portfolio posture potent precaution precede ",
    "precedent precipitate predecessor predominant preliminary premature premium prescription ",
    "prestige prevail prevalent privatise proclaim proclamation prodigy proficiency prohibit ",
    "projection proliferation prologue prolong propaganda prophet proposition prosecute ",
    "prosecutor prosper prosperity protagonist protocol provoke proximity prudent pulse pyramid ",
    "quarantine quarrel questionnaire radar radiation radius rally ransom ratify rebellion ",
    "receiver reconcile reconstruction refinery regiment rehabilitation reign reinforce relay ",
    "relegate relic remedy renaissance render renew renowned rental repertoire replica ",
    "repression republican residence residue resilience resonance respective restoration retail ",
    "retaliation retreat retrieve revelation revenge revise revival revolt ridicule rivalry ",
    "robust rotation rubbish ruthless sabotage salvage sanctuary sanitation savage scarce ",
    "scepticism sceptical scrutiny secular sediment segment segregation seminar sentiment ",
    "sequel serial sermon shareholder sheriff shipment shortage shrine siege silhouette ",
    "simulate sincerity skeleton slavery slogan smuggle solemn solitude sovereignty spacecraft ",
    "spectator spectrum speculate speculation sphere spontaneous stadium stagnant stake statute ",
    "stereotype sterling stimulus stipulate strait stringent subdue subsidiary subsidy ",
    "substitute subtle suburban successor suffrage summon superintendent superstition supervise ",
    "supervisor supplement surveillance suspense sustainable symphony syndicate synthetic ",
    "tariff telescope temperament tenant tender terminate testament texture theorem thermal ",
    "threshold tolerance tolerate tornado torture tournament toxic tract transcript transit ",
    "transparent treason tribunal tribute trilogy trophy turbulent turmoil tutor typhoon ulcer ",
    "unanimous undermine undertaking unification unilateral upheaval uprising utmost utopia ",
    "vaccine vacuum validity vanguard vaporise velocity vendor verdict verify versatile ",
    "vertical veto viable vibrant vicinity vigorous vintage violation virus visa vocabulary ",
    "vocal volatile vulnerable warfare warrant watershed wholesale widow workforce wreckage ",
    "zealous zenith ",
};

constexpr std::size_t kMaxLineLength = 80;

// TRandom is SplitMix64: small, fast and the same on every platform, so the text is too.
class TRandom {
 public:
  explicit TRandom(std::uint64_t seed) : _State(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (_State += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Below returns a number in [0, bound).
  std::size_t Below(std::size_t bound) { return static_cast<std::size_t>(Next() % bound); }
  bool Chance(std::size_t percent) { return Below(100) < percent; }

 private:
  std::uint64_t _State;
};

std::vector<std::string> VocabularyWords() {
  std::vector<std::string> words;
  std::unordered_set<std::string> seen;
  for (const std::string_view chunk : kVocabulary) {
    std::size_t start = 0;
    while (start < chunk.size()) {
      const std::size_t end = chunk.find(' ', start);
      const std::string word(chunk.substr(start, end - start));
      if (!word.empty() && seen.insert(word).second) {
        words.push_back(word);
      }
      start = end == std::string_view::npos ? chunk.size() : end + 1;
    }
  }
  return words;
}

// TWordDraw draws ranks with probability proportional to 1 / (rank + 2.7).
class TWordDraw {
 public:
  TWordDraw() : _Words(VocabularyWords()) {
    double total = 0;
    for (std::size_t rank = 0; rank < _Words.size(); ++rank) {
      total += 1.0 / (static_cast<double>(rank) + 2.7);
      _Cumulative.push_back(total);
    }
  }

  const std::string& Draw(TRandom& random) const {
    const double point = _Cumulative.back() * static_cast<double>(random.Next() >> 11) /
                         static_cast<double>(1ull << 53);
    const auto at = std::upper_bound(_Cumulative.begin(), _Cumulative.end(), point);
    return _Words[std::min<std::size_t>(at - _Cumulative.begin(), _Words.size() - 1)];
  }

 private:
  std::vector<std::string> _Words;
  std::vector<double> _Cumulative;
};

std::string Sentence(const TWordDraw& draw, TRandom& random) {
  const std::size_t length = 5 + random.Below(16);
  std::string sentence;
  for (std::size_t i = 0; i < length; ++i) {
    std::string word = draw.Draw(random);
    if (i == 0 && word[0] >= 'a' && word[0] <= 'z') {
      word[0] = static_cast<char>(word[0] - 'a' + 'A');
    }
    if (i > 0) {
      sentence += ' ';
    }
    if (random.Chance(1)) {
      sentence += std::to_string(1900 + random.Below(125));
      sentence += ' ';
    }
    sentence += word;
    if (i + 1 < length && random.Chance(8)) {
      sentence += random.Chance(80) ? "," : ";";
    }
  }
  const std::size_t end = random.Below(20);
  sentence += end == 0 ? "?" : end == 1 ? "!" : ".";
  // Some sentences are quoted, with plain or typographic quotation marks.
  const std::size_t quote = random.Below(12);
  if (quote == 0) {
    sentence = "\"" + sentence + "\"";
  } else if (quote == 1) {
    sentence = "\xE2\x80\x9C" + sentence + "\xE2\x80\x9D";
  }
  return sentence;
}

}  // namespace

std::vector<std::u16string> BenchLines(std::size_t characters) {
  const TWordDraw draw;
  TRandom random(20140907);
  std::vector<std::u16string> lines;
  std::u16string line;
  std::size_t total = 0;
  // Lines break at spaces before 80 characters, at a random width so they vary in length.
  std::size_t width = 30 + random.Below(kMaxLineLength - 30 + 1);
  while (total < characters) {
    const std::string sentence = Sentence(draw, random);
    std::size_t start = 0;
    while (start < sentence.size() && total < characters) {
      std::size_t end = sentence.find(' ', start);
      if (end == std::string::npos) {
        end = sentence.size();
      }
      const std::u16string word =
          Utf8ToUtf16(std::string_view(sentence).substr(start, end - start));
      start = end + 1;
      if (!line.empty() && line.size() + 1 + word.size() > width) {
        total += line.size() + 2;
        lines.push_back(std::move(line));
        line.clear();
        width = 30 + random.Below(kMaxLineLength - 30 + 1);
      }
      if (!line.empty()) {
        line += u' ';
      }
      line += word;
    }
  }
  if (!line.empty()) {
    lines.push_back(std::move(line));
  }
  return lines;
}

std::u16string JoinLines(const std::vector<std::u16string>& lines, std::u16string_view separator) {
  std::u16string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) {
      text += separator;
    }
    text += lines[i];
  }
  return text;
}

}  // namespace lexipulse
